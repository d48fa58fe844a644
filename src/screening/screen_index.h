#pragma once
// The index of the fast pairwise scan. A pair acts only when its records share
// a place (then whatever their identifiers) or share an identifier and are
// near; every other pair leaves the table as it is. The index finds, for a
// record i, a superset of the later records that can act with it:
// - records at i's exact place (-0.0 and 0.0 are one place; a record with a
//   NaN coordinate is at no place);
// - records of i's identifier in the 3 x 3 grid cells around i's cell. Cells
//   are wider than kNearThreshold, so a near record is never further than one
//   cell away. Records with a non-finite coordinate are never near and stay
//   out of the grid; an identifier held by one record needs no grid at all.
//   A bitmap of the occupied cells, whatever their identifier and folded
//   onto a square of side a power of two, skips the lookup of a neighbour
//   cell that no record of the grid lies in.
// It reads only id, lon and lat, which the screening never changes, so it is
// built once per run, with storage sized from the record count and taken
// from the memory resource given.

#include <cstdint>
#include <memory_resource>
#include <vector>

#include "screening/group_lists.h"
#include "screening/group_table.h"
#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

class ScreenIndex {
 public:
  ScreenIndex(const StationTable& table, const IdGroups& ids, std::pmr::memory_resource* memory);

  // Replaces `out` with the records j > i whose remove is 0 and that share
  // i's place or lie in i's identifier's cells around i, in increasing order,
  // each once. `out` needs room for 2 * n records to avoid reallocating.
  void candidates(const StationTable& table, std::int32_t i, std::pmr::vector<std::int32_t>& out) const;

 private:
  struct CellKey {
    std::int32_t id_group = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const CellKey&) const = default;
  };

  // Whether record k lies in the grid: its identifier is held by more than
  // one record, and both its coordinates are finite.
  static bool in_grid(const StationTable& table, const IdGroups& ids, std::int32_t k);
  static std::int32_t count_in_grid(const StationTable& table, const IdGroups& ids);
  static std::uint64_t hash_cell(const CellKey& key);
  Grouping group_cells(const StationTable& table, const IdGroups& ids, std::pmr::memory_resource* memory);
  // The bit of cell (x, y): the low occupied_side_bits_ bits of each.
  std::size_t occupied_bit(std::int64_t x, std::int64_t y) const {
    return (static_cast<std::size_t>(x & occupied_side_mask_) << occupied_side_bits_) |
           static_cast<std::size_t>(y & occupied_side_mask_);
  }
  bool occupied(std::int64_t x, std::int64_t y) const {
    const std::size_t bit = occupied_bit(x, y);
    return ((occupied_[bit / 64] >> (bit % 64)) & 1) != 0;
  }
  // Sorts the candidates of several sources and drops repeats.
  void put_in_order(std::pmr::vector<std::int32_t>& out) const;
  // The bits of cells (x, y - 1), (x, y) and (x, y + 1) as bits 0, 1 and 2.
  unsigned occupied_column(std::int64_t x, std::int64_t y) const;

  std::int32_t in_grid_count_;
  std::pmr::vector<CellKey> cell_key_;  // of each occupied cell, by its number in cell_lists_
  GroupTable cells_;
  int occupied_side_bits_ = 0;
  std::int64_t occupied_side_mask_ = 0;
  std::pmr::vector<std::uint64_t> occupied_;  // one word more than the bits need
  std::pmr::vector<std::int32_t> next_at_place_;  // -1 after the last record of a place
  // A bit per record, all clear between calls: put_in_order's scratch.
  mutable std::pmr::vector<std::uint64_t> seen_;
  GroupLists cell_lists_;
};

}  // namespace dedup
