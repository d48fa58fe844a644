#pragma once
// A grid of square cells a little wider than kNearThreshold: the records of a
// near pair lie in the same or adjacent cells, so only those are compared.
// Records of different keys never share a cell (src/README.md, "The screening").

#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <vector>

#include "screening/group_lists.h"
#include "screening/group_table.h"
#include "screening/pair_rule.h"
#include "stations/station_table.h"

namespace dedup {

inline constexpr double kCellWidth = 0.025;
static_assert(static_cast<double>(kNearThreshold) * 1.005 < kCellWidth,
              "a near pair must never lie further apart than adjacent cells");

// From 2^24 on, distinct floats lie at least 1 apart: near only to an equal one.
inline constexpr float kHugeCoordinate = 16777216.0f;

// The grid column (or row) of a coordinate; a huge one gets a cell of its own
// beyond 2^40, four apart per float, so that no other cell is adjacent.
// REQUIRES: `x` is finite.
inline std::int64_t cell_of(float x) {
  assert(std::isfinite(x));
  if (std::fabs(x) < kHugeCoordinate) {
    // The floor without a library call: the quotient truncates to an exact
    // integer, one too high where it was negative with a fraction.
    const double quotient = static_cast<double>(x) / kCellWidth;
    const auto truncated = static_cast<std::int64_t>(quotient);
    return static_cast<double>(truncated) > quotient ? truncated - 1 : truncated;
  }
  const auto magnitude = static_cast<std::int64_t>(std::bit_cast<std::uint32_t>(x) & 0x7fffffffU);
  const std::int64_t own = (std::int64_t{1} << 40) + 4 * magnitude;
  return x < 0.0f ? -own : own;
}

class CellGrid {
 public:
  // Puts every record k with key_of(k) >= 0 and finite coordinates into its
  // cell; the lists are made in the body, once every member group_cells fills exists.
  template <class KeyOf>
  CellGrid(const StationTable& table, KeyOf key_of, std::pmr::memory_resource* memory)
      : CellGrid(count_in_grid(table, key_of), memory) {
    lists_.emplace(group_cells(table, key_of, memory));
  }

  bool contains(std::int32_t k) const { return lists_->group_of(k) >= 0; }

  // Calls take(records) with the records above i of i's own cell, then of
  // each occupied neighbour cell under i's key, in no set order of cells.
  // REQUIRES: contains(i).
  template <class Take>
  void each_near_cell(std::int32_t i, Take take) const {
    assert(contains(i));
    const std::int32_t own_cell = lists_->group_of(i);
    const CellKey& own = cell_key_[static_cast<std::size_t>(own_cell)];
    take(lists_->members_after(own_cell, i));
    for (unsigned bits = occupied_around(own.x, own.y); bits != 0; bits &= bits - 1) {
      const auto cell = static_cast<std::int64_t>(std::countr_zero(bits));
      const std::int32_t first = first_of({own.key, own.x + cell / 3 - 1, own.y + cell % 3 - 1});
      if (first >= 0) take(lists_->members_after(lists_->group_of(first), i));
    }
  }

 private:
  CellGrid(std::int32_t in_grid_count, std::pmr::memory_resource* memory)
      : in_grid_count_(in_grid_count), cell_key_(memory), cells_(in_grid_count, memory), occupied_(memory) {}

  struct CellKey {
    std::int32_t key = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const CellKey&) const = default;
  };

  // One finaliser over the three parts, the coordinates each spread by an
  // odd multiplier of their own first: a scan looks up nine cells per record.
  static std::uint64_t hash_cell(const CellKey& key) {
    return mix64((static_cast<std::uint64_t>(key.x) * 0x9e3779b97f4a7c15ULL) ^
                 (static_cast<std::uint64_t>(key.y) * 0xc2b2ae3d27d4eb4fULL) ^ static_cast<std::uint32_t>(key.key));
  }
  template <class KeyOf>
  static bool in_grid(const StationTable& table, KeyOf& key_of, std::int32_t k) {
    return key_of(k) >= 0 && std::isfinite(table.lon[k]) && std::isfinite(table.lat[k]);
  }
  template <class KeyOf>
  static std::int32_t count_in_grid(const StationTable& table, KeyOf& key_of) {
    std::int32_t count = 0;
    for (std::int32_t k = 0; k < table.n; ++k) count += in_grid(table, key_of, k) ? 1 : 0;
    return count;
  }
  template <class KeyOf>
  Grouping group_cells(const StationTable& table, KeyOf& key_of, std::pmr::memory_resource* memory) {
    size_occupied();
    cell_key_.reserve(static_cast<std::size_t>(in_grid_count_));
    Grouping cells{std::pmr::vector<std::int32_t>(static_cast<std::size_t>(table.n), -1, memory), 0};
    for (std::int32_t k = 0; k < table.n; ++k) {
      if (!in_grid(table, key_of, k)) continue;
      const CellKey key{key_of(k), cell_of(table.lon[k]), cell_of(table.lat[k])};
      const std::size_t bit = occupied_bit(key.x, key.y);
      occupied_[bit / 64] |= std::uint64_t{1} << (bit % 64);
      const std::int32_t first = cells_.first_or_add(hash_cell(key), k, [&](std::int32_t other) {
        return cell_key_[static_cast<std::size_t>(cells.group_of[static_cast<std::size_t>(other)])] == key;
      });
      // A new cell's key goes under the number join() gives it.
      if (first == k) cell_key_.push_back(key);
      join(cells, k, first);
    }
    return cells;
  }
  // The first record of an occupied cell, or -1 for an empty one.
  std::int32_t first_of(const CellKey& key) const {
    return cells_.first(hash_cell(key), [&](std::int32_t other) {
      return cell_key_[static_cast<std::size_t>(lists_->group_of(other))] == key;
    });
  }
  void size_occupied();
  // The bit of cell (x, y): the low occupied_side_bits_ bits of each.
  std::size_t occupied_bit(std::int64_t x, std::int64_t y) const {
    return (static_cast<std::size_t>(x & occupied_side_mask_) << occupied_side_bits_) |
           static_cast<std::size_t>(y & occupied_side_mask_);
  }
  bool occupied(std::int64_t x, std::int64_t y) const {
    const std::size_t bit = occupied_bit(x, y);
    return ((occupied_[bit / 64] >> (bit % 64)) & 1) != 0;
  }
  // The bits of cells (x, y - 1), (x, y) and (x, y + 1) as bits 0, 1 and 2.
  unsigned occupied_column(std::int64_t x, std::int64_t y) const;
  // The occupied cells of the 3 x 3 block around (x, y), the centre left
  // out: cell (x + dx, y + dy) is bit 3 * (dx + 1) + dy + 1.
  unsigned occupied_around(std::int64_t x, std::int64_t y) const;

  std::int32_t in_grid_count_;
  std::pmr::vector<CellKey> cell_key_;  // of each occupied cell, by its number in lists_
  GroupTable cells_;
  int occupied_side_bits_ = 0;
  std::int64_t occupied_side_mask_ = 0;
  std::pmr::vector<std::uint64_t> occupied_;  // one word more than the bits need
  std::optional<GroupLists> lists_;
};

}  // namespace dedup
