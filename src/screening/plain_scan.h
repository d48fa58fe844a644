#pragma once
// The pairwise pass and the purge exactly as the screening algorithm reads:
// every pair (i, j) in input order, each classified and applied at once, then
// every marked record against every record. Quadratic in the record count;
// kept as the reference that the indexed scan must match.

#include <cstdint>

#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

// Compares record i with every later record whose remove is 0, in increasing
// order, applying each pair at once; goes on to the end even when a pair has
// removed i. Every pair that acts is told to `log` when it is not null.
void plain_row(StationTable& table, std::int32_t i, ScreenLog* log);

// plain_row for every record i, in increasing order, that is not removed
// when its turn comes.
void plain_pairwise_pass(StationTable& table, ScreenLog* log);

// Sets remove on every record whose identifier equals that of a record with
// mark_all = 1; sets no reason.
void plain_purge(StationTable& table);

}  // namespace dedup
