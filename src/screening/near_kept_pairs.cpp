#include "screening/near_kept_pairs.h"

#include <algorithm>
#include <memory_resource>
#include <span>

#include "screening/cell_grid.h"
#include "screening/pair_rule.h"

namespace dedup {

std::vector<std::pair<std::int32_t, std::int32_t>> near_kept_pairs(const StationTable& table) {
  // One key for every kept record: the pairs sought are of any identifiers.
  const CellGrid grid(
      table, [&](std::int32_t k) { return table.remove[k] == 0 ? 0 : -1; }, std::pmr::get_default_resource());
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  std::vector<std::int32_t> near_later;
  for (std::int32_t i = 0; i < table.n; ++i) {
    if (!grid.contains(i)) continue;
    near_later.clear();
    grid.each_near_cell(i, [&](std::span<const std::int32_t> later) {
      for (const std::int32_t j : later) {
        if (same_id(table, i, j) || same_place(table.lon[i], table.lat[i], table.lon[j], table.lat[j])) continue;
        if (near(table.lon[i], table.lat[i], table.lon[j], table.lat[j])) near_later.push_back(j);
      }
    });
    std::sort(near_later.begin(), near_later.end());
    for (const std::int32_t j : near_later) pairs.emplace_back(i, j);
  }
  return pairs;
}

}  // namespace dedup
