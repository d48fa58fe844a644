#include "screening/duplicate_screen.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory_resource>

#include "screening/conflict_purge.h"
#include "screening/id_groups.h"
#include "screening/indexed_scan.h"
#include "screening/plain_scan.h"
#include "util/page_block.h"

namespace dedup {
namespace {

enum class Scan : bool { kIndexed, kPlain };

// Per record at most: three hash tables of up to 32 bytes, the cell key, six
// record-indexed arrays of groups, offsets and members, and two candidates.
constexpr std::size_t kBytesPerRecord = 3 * 32 + 24 + 6 * 4 + 2 * 4 + 4 * 4;
constexpr std::size_t kFixedBytes = std::size_t{64} << 10;

// The one sequence of a screening: pass, purge, and the log told of each step.
void run(StationTable& table, ScreenLog* log, Scan scan) {
  assert(std::all_of(table.remove, table.remove + table.n, [](std::uint8_t r) { return r == 0; }));
  assert(std::all_of(table.mark_all, table.mark_all + table.n, [](std::uint8_t m) { return m == 0; }));
  assert(std::all_of(table.reason, table.reason + table.n, [](ReasonCode r) { return r == ReasonCode::kNone; }));
  // The index and the groups are carved out of one block of fresh pages
  // (src/README.md, "The screening"); the heap takes over should it fall short.
  PageBlock block(kFixedBytes + kBytesPerRecord * static_cast<std::size_t>(table.n));
  if (block.size() >= kHugePage / 2) block.use_huge_pages();
  std::pmr::monotonic_buffer_resource arena(block.data(), block.size(), std::pmr::new_delete_resource());
  SharedIdGroups ids(table);
  if (scan == Scan::kIndexed) {
    indexed_pairwise_pass(table, ids, log, &arena);
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
