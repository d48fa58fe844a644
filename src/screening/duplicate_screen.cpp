#include "screening/duplicate_screen.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

#include "screening/conflict_purge.h"
#include "screening/id_groups.h"
#include "screening/indexed_scan.h"
#include "screening/plain_scan.h"
#include "screening/screen_arena.h"

namespace dedup {
namespace {

enum class Scan : bool { kIndexed, kPlain };

// The one sequence of a screening: pairwise pass, purge, and the log told of
// each step when there is one. The identifier groups are made at most once,
// when the first of the pass, the purge and the log needs them.
void run(StationTable& table, ScreenLog* log, Scan scan) {
  assert(std::all_of(table.remove, table.remove + table.n, [](std::uint8_t r) { return r == 0; }));
  assert(std::all_of(table.mark_all, table.mark_all + table.n, [](std::uint8_t m) { return m == 0; }));
  assert(std::all_of(table.reason, table.reason + table.n, [](Reason r) { return r.code() == ReasonCode::kNone; }));
  ScreenArena arena(table.n);
  SharedIdGroups ids(table);
  if (scan == Scan::kIndexed) {
    indexed_pairwise_pass(table, ids, log, arena.memory());
  } else {
    plain_pairwise_pass(table, log);
  }
  if (log != nullptr) log->pairs_done(table);
  if (scan == Scan::kIndexed) {
    purge_conflicts(table, ids);
  } else {
    plain_purge(table);
  }
  if (log != nullptr) log->screening_done(table, ids);
}

}  // namespace

void DuplicateScreen::screen(StationTable& table, ScreenLog* log) { run(table, log, Scan::kIndexed); }

void DuplicateScreen::screen_plain(StationTable& table, ScreenLog* log) { run(table, log, Scan::kPlain); }

}  // namespace dedup
