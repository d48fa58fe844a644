#pragma once
// The pairwise pass and the purge as the algorithm reads: the quadratic reference.

#include <cstdint>

#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

// Compares record i with every later record whose remove is 0, in order, to
// the end even once i is removed; every pair that acts is told to `log`.
void plain_row(StationTable& table, std::int32_t i, ScreenLog* log);

// plain_row for every record i not removed when its turn comes.
void plain_pairwise_pass(StationTable& table, ScreenLog* log);

// Sets remove on every record of an identifier some record has mark_all on.
void plain_purge(StationTable& table);

}  // namespace dedup
