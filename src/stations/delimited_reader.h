#pragma once
// Reads a delimited export into the table, one record per row, or throws a
// FatalError "<name>[:<line>]: ..." (rules: src/README.md, "The delimited
// export").

#include <string>
#include <string_view>

#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

// Stores the rows from slot 0, sets table.n, and fills `places` as it asks
// (RecordPlaces), with a note for standard error on each row left out.
// REQUIRES: table.n == 0, `places` holds no entries; every column of `syntax`
// valid for its role (a position from 1, a value for agency or prec only).
void read_delimited(std::string_view content, const std::string& name, const DelimitedSyntax& syntax,
                    StationTable& table, RecordPlaces& places);

}  // namespace dedup
