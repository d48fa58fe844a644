#pragma once
// The purge the program runs: the same flags as plain_purge, in time linear
// in the record count. A few distinct marked identifiers are compared with
// every record directly; more are resolved through the identifier groups
// of `ids`.

#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

void purge_conflicts(StationTable& table, SharedIdGroups& ids);

}  // namespace dedup
