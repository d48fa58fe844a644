#include "screening/near_kept_pairs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "screening/grid_cell.h"
#include "screening/group_lists.h"
#include "screening/group_table.h"
#include "screening/pair_rule.h"

namespace dedup {
namespace {

struct Cell {
  std::int64_t x = 0;
  std::int64_t y = 0;
  bool operator==(const Cell&) const = default;
};

std::uint64_t hash_cell(const Cell& cell) {
  return mix64(mix64(static_cast<std::uint64_t>(cell.x)) ^ static_cast<std::uint64_t>(cell.y));
}

bool in_grid(const StationTable& table, std::int32_t k) {
  return table.remove[k] == 0 && std::isfinite(table.lon[k]) && std::isfinite(table.lat[k]);
}

bool worth_review(const StationTable& table, std::int32_t i, std::int32_t j) {
  if (same_id(table, i, j)) return false;
  const float lon_i = table.lon[i];
  const float lat_i = table.lat[i];
  const float lon_j = table.lon[j];
  const float lat_j = table.lat[j];
  return !same_place(lon_i, lat_i, lon_j, lat_j) && near(lon_i, lat_i, lon_j, lat_j);
}

}  // namespace

std::vector<std::pair<std::int32_t, std::int32_t>> near_kept_pairs(const StationTable& table) {
  const auto n = static_cast<std::size_t>(table.n);
  std::vector<Cell> cell(n);
  Grouping grouping{std::pmr::vector<std::int32_t>(n, -1), 0};
  GroupTable firsts(table.n);
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (!in_grid(table, k)) continue;
    const Cell own{cell_of(table.lon[k]), cell_of(table.lat[k])};
    cell[static_cast<std::size_t>(k)] = own;
    join(grouping, k, firsts.first_or_add(hash_cell(own), k, [&](std::int32_t other) {
      return cell[static_cast<std::size_t>(other)] == own;
    }));
  }
  const GroupLists cells(std::move(grouping));

  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  std::vector<std::int32_t> near_later;
  for (std::int32_t i = 0; i < table.n; ++i) {
    if (cells.group_of(i) < 0) continue;
    near_later.clear();
    const Cell own = cell[static_cast<std::size_t>(i)];
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        const Cell key{own.x + dx, own.y + dy};
        const std::int32_t first = firsts.first(hash_cell(key), [&](std::int32_t other) {
          return cell[static_cast<std::size_t>(other)] == key;
        });
        if (first < 0) continue;
        for (const std::int32_t j : cells.members_after(cells.group_of(first), i)) {
          if (worth_review(table, i, j)) near_later.push_back(j);
        }
      }
    }
    std::sort(near_later.begin(), near_later.end());
    for (const std::int32_t j : near_later) pairs.emplace_back(i, j);
  }
  return pairs;
}

}  // namespace dedup
