#pragma once
// The pairwise pass the program runs: exactly the flags and reasons of
// plain_pairwise_pass, comparing each record only with the later records that
// can act with it (ScreenIndex); plain rows first (src/README.md).

#include <memory_resource>

#include "screening/id_groups.h"
#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

// Every pair that acts is told to `log` when it is not null, in the plain
// scan's order. The index, and the groups if it makes them, use `memory`.
void indexed_pairwise_pass(StationTable& table, SharedIdGroups& ids, ScreenLog* log,
                           std::pmr::memory_resource* memory);

}  // namespace dedup
