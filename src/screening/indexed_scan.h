#pragma once
// The pairwise pass the program runs: exactly the flags and reasons of
// plain_pairwise_pass, without its quadratic work.
//
// First members i are taken in increasing order and skipped when removed at
// their turn, as in the plain scan. Record i is compared only with the later
// records that can act with it (ScreenIndex), in increasing order, with the
// same pair rule; the pairs left out are those the rule leaves untouched, so
// the outcome is the same. Every acting pair removes its later record, so the
// first members that are scanned never act with one another; that keeps the
// candidate lists short whatever the shape (at most one scanned record per
// place, and only a handful of pairwise non-near ones per grid block).
//
// Building the index costs about as much as a few plain rows, so the pass
// starts with plain rows and builds the index only once their total work
// would exceed one full row: inputs that the first rows settle (every record
// at one place, one tight cluster) never pay for it.

#include <memory_resource>

#include "screening/id_groups.h"
#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

// Asks `ids` for the identifier groups only when it builds its index. Every
// pair that acts is told to `log` when it is not null, in the order the
// plain scan meets it. The index, and the groups when it makes them, take
// their memory from `memory`.
void indexed_pairwise_pass(StationTable& table, SharedIdGroups& ids, ScreenLog* log,
                           std::pmr::memory_resource* memory);

}  // namespace dedup
