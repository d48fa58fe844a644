#include "screening/indexed_scan.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "screening/pair_rule.h"
#include "screening/plain_scan.h"
#include "screening/screen_index.h"

namespace dedup {

void indexed_pairwise_pass(StationTable& table, SharedIdGroups& ids, ScreenLog* log,
                           std::pmr::memory_resource* memory) {
  const std::int32_t n = table.n;
  const std::int64_t plain_budget = n;
  std::int64_t plain_work = 0;
  std::int32_t i = 0;
  for (; i + 1 < n; ++i) {
    if (table.remove[i] == 1) continue;
    const std::int64_t row = n - 1 - i;
    if (plain_work + row > plain_budget) break;
    plain_work += row;
    plain_row(table, i, log);
  }
  if (i + 1 >= n) return;

  const ScreenIndex index(table, ids.get(memory), memory);
  std::pmr::vector<std::int32_t> later(memory);
  later.reserve(2 * static_cast<std::size_t>(n));
  for (; i + 1 < n; ++i) {
    if (table.remove[i] == 1) continue;
    index.candidates(table, i, later);
    for (const std::int32_t j : later) screen_pair(table, i, j, log);
  }
}

}  // namespace dedup
