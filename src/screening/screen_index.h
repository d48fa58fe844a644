#pragma once
// The index of the fast pairwise scan: for a record i, a superset of the later
// records that can act with it, those at i's place and those of i's identifier
// in the grid cells around i's (src/README.md). Built once per run.

#include <cstdint>
#include <memory_resource>
#include <vector>

#include "screening/cell_grid.h"
#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

// Whether the index offers a later record with these predicates (same place: near).
constexpr bool index_offers(bool same_id, bool same_place, bool near) { return same_place || (same_id && near); }

class ScreenIndex {
 public:
  ScreenIndex(const StationTable& table, const IdGroups& ids, std::pmr::memory_resource* memory);

  // Replaces `out` with the records j > i whose remove is 0 and that share i's
  // place or lie in i's identifier's cells around i, in order, each once (all
  // index_offers, and some others); `out` needs room for 2 * n not to reallocate.
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
