#pragma once
// The pairwise pass the program runs: exactly the flags and reasons of
// plain_pairwise_pass, comparing each record only with the later records that
// can act with it (ScreenIndex); plain rows first (src/README.md).

#include <memory_resource>

#include "screening/id_groups.h"
#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

// Tells `log` each pair that acts; the index (and the groups it makes) use `memory`.
void indexed_pairwise_pass(StationTable& table, SharedIdGroups& ids, ScreenLog* log,
                           std::pmr::memory_resource* memory);

}  // namespace dedup
