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

// Per record at most: three hash tables of up to 32 bytes (8-byte slots,
// sized up to four times the keys), the cell key, six record-indexed
// arrays of groups, offsets and members, and two candidates.
constexpr std::size_t kBytesPerRecord = 3 * 32 + 24 + 6 * 4 + 2 * 4 + 4 * 4;
constexpr std::size_t kFixedBytes = std::size_t{64} << 10;

// The one sequence of a screening: pairwise pass, purge, and the log told of
// each step when there is one. The identifier groups are made at most once,
// when the first of the pass, the purge and the log needs them.
void run(StationTable& table, ScreenLog* log, Scan scan) {
  assert(std::all_of(table.remove, table.remove + table.n, [](std::uint8_t r) { return r == 0; }));
  assert(std::all_of(table.mark_all, table.mark_all + table.n, [](std::uint8_t m) { return m == 0; }));
  assert(std::all_of(table.reason, table.reason + table.n, [](Reason r) { return r.code() == ReasonCode::kNone; }));
  // The index and the identifier groups are carved one after the other out
  // of a single block of fresh pages sized from n, and nothing is handed back
  // before the screening ends: a run touches each page once, instead of
  // mapping, faulting and unmapping every array on its own. Should the
  // estimate fall short, the rest comes from the heap. Most of the block is
  // touched when the index is built; from half a huge page on, clearing whole
  // huge pages costs less than faulting 4 KiB ones.
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
