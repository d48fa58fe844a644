#pragma once
// The likely copies that the rules leave alone: the pairs (i, j), i before
// j, of records both kept (remove 0), with different identifiers, not at the
// same place and near each other by the screening's own distance. Found
// through a grid over the kept records with finite coordinates: each record
// is compared only with the later kept records of its own cell and the eight
// around it. In increasing order of i, then of j.

#include <cstdint>
#include <utility>
#include <vector>

#include "stations/station_table.h"

namespace dedup {

std::vector<std::pair<std::int32_t, std::int32_t>> near_kept_pairs(const StationTable& table);

}  // namespace dedup
