#pragma once
// Reads a free-form list (five values a record) into the table, dropping a
// partial last record; FatalError naming `name` and the line.
// REQUIRES: table.n is 0 and `places` holds no entries.

#include <string>
#include <string_view>

#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

void read_free_form(std::string_view content, const std::string& name, StationTable& table, RecordPlaces& places);

}  // namespace dedup
