#pragma once
// The index of the fast pairwise scan. A pair acts only when its records share
// a place (then whatever their identifiers) or share an identifier and are
// near; every other pair leaves the table as it is. The index finds, for a
// record i, a superset of the later records that can act with it:
// - records at i's exact place (-0.0 and 0.0 are one place; a record with a
//   NaN coordinate is at no place);
// - records of i's identifier in the 3 x 3 grid cells around i's cell
//   (CellGrid, keyed by identifier group). Records with a non-finite
//   coordinate are never near and stay out of the grid; an identifier held
//   by one record needs no grid at all.
// It reads only id, lon and lat, which the screening never changes, so it is
// built once per run, with storage sized from the record count and taken
// from the memory resource given.

#include <cstdint>
#include <memory_resource>
#include <vector>

#include "screening/cell_grid.h"
#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

// Whether the index offers a later record with these predicates (two
// records at one place are near).
constexpr bool index_offers(bool same_id, bool same_place, bool near) { return same_place || (same_id && near); }

class ScreenIndex {
 public:
  ScreenIndex(const StationTable& table, const IdGroups& ids, std::pmr::memory_resource* memory);

  // Replaces `out` with the records j > i whose remove is 0 and that share
  // i's place or lie in i's identifier's cells around i, in increasing order,
  // each once: those index_offers, and some others. `out` needs room for
  // 2 * n records to avoid reallocating.
  void candidates(const StationTable& table, std::int32_t i, std::pmr::vector<std::int32_t>& out) const;

 private:
  // Sorts the candidates of several sources and drops repeats.
  void put_in_order(std::pmr::vector<std::int32_t>& out) const;

  std::pmr::vector<std::int32_t> next_at_place_;  // -1 after the last record of a place
  // A bit per record, all clear between calls: put_in_order's scratch.
  mutable std::pmr::vector<std::uint64_t> seen_;
  CellGrid grid_;
};

}  // namespace dedup
