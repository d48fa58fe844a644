#include "screening/duplicate_screen.h"

#include "screening/conflict_purge.h"
#include "screening/indexed_scan.h"
#include "screening/plain_scan.h"
#include "screening/screen_arena.h"

namespace dedup {

void DuplicateScreen::screen(StationTable& table) {
  ScreenArena arena(table.n);
  const auto ids = indexed_pairwise_pass(table, nullptr, arena.memory());
  purge_conflicts(table, ids ? &*ids : nullptr);
}

void DuplicateScreen::screen(StationTable& table, ScreenLog& log) {
  ScreenArena arena(table.n);
  const auto ids = indexed_pairwise_pass(table, &log, arena.memory());
  log.pairs_done(table);
  purge_conflicts(table, ids ? &*ids : nullptr);
  log.screening_done(table);
}

void DuplicateScreen::screen_plain(StationTable& table) {
  plain_pairwise_pass(table, nullptr);
  plain_purge(table);
}

void DuplicateScreen::screen_plain(StationTable& table, ScreenLog& log) {
  plain_pairwise_pass(table, &log);
  log.pairs_done(table);
  plain_purge(table);
  log.screening_done(table);
}

}  // namespace dedup
