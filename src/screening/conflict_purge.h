#pragma once
// The purge the program runs: the same flags as plain_purge, in linear time
// (a few marked identifiers compared directly, more through `ids`'s groups).

#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

void purge_conflicts(StationTable& table, SharedIdGroups& ids);

}  // namespace dedup
