#pragma once
// Reads a delimited export into the table: the columns the syntax names
// (delimited_layout.h), rows split as delimited_rows.h says, each with the
// header's number of fields (one more, empty, at the end allowed); texts
// kept as their bytes stand, quotes removed; numbers as delimited_number.h
// reads them. A row with a number missing is an error, or with
// `skip_missing` left out and told of in `places.notes`. A UTF-8
// byte-order mark is dropped; UTF-16 is refused. Every fault is a
// FatalError "<name>[:<line>]: ...", the line being the row's first, or for
// a quotation mark the line where the fault lies.

#include <string>
#include <string_view>

#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

// Stores the rows from slot 0 and sets table.n; fills places.first_lines
// (the line where each stored row starts) when want_lines, places.spans
// (from the start of a row's first line to past its last line end) when
// want_spans, and places.notes (lines for standard error, without the
// program's name) on rows left out.
// REQUIRES: table.n == 0, `places` holds no entries; every column of `syntax`
// valid for its role (a position from 1, a value for agency or prec only).
void read_delimited(std::string_view content, const std::string& name, const DelimitedSyntax& syntax,
                    StationTable& table, RecordPlaces& places);

}  // namespace dedup
