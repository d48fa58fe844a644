#pragma once
// Reads a free-form station list into the table: five values per record
// (identifier, agency, longitude, latitude, precipitation), each record
// starting on a new line and running over as many lines as it needs; the
// rest of the line after the fifth value is skipped. A partial final record
// is dropped. Sets n; fills `places` as asked (a record's span runs from the
// start of its first value's line to the end of its fifth's, line end
// included). Fatal (FatalError naming `name` and the line): a numeric field
// that is not a number or has no value, malformed quoting, more records than
// the table's capacity; on the first record of a list whose first line holds
// a semicolon it adds a pointer to the README's section on exports.
// REQUIRES: table.n is 0 and `places` holds no entries.

#include <string>
#include <string_view>

#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

void read_free_form(std::string_view content, const std::string& name, StationTable& table, RecordPlaces& places);

}  // namespace dedup
