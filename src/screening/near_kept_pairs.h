#pragma once
// The pairs (i, j), i before j, of kept records with different identifiers,
// at different places yet near, found through a grid over the kept records;
// in increasing order of i, then of j.

#include <cstdint>
#include <utility>
#include <vector>

#include "stations/station_table.h"

namespace dedup {

std::vector<std::pair<std::int32_t, std::int32_t>> near_kept_pairs(const StationTable& table);

}  // namespace dedup
