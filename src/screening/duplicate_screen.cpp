#include "screening/duplicate_screen.h"

#include "screening/conflict_purge.h"
#include "screening/indexed_scan.h"
#include "screening/plain_scan.h"

namespace dedup {

void DuplicateScreen::screen(StationTable& table) {
  const auto ids = indexed_pairwise_pass(table);
  purge_conflicts(table, ids ? &*ids : nullptr);
}

void DuplicateScreen::screen_plain(StationTable& table) {
  plain_pairwise_pass(table);
  plain_purge(table);
}

}  // namespace dedup
