#pragma once
// The common record of the station list read in one pass, straight into a
// slot of the table: five unquoted values on one line, none holding '*',
// separated by blanks or by one comma with or without blanks, the three
// numbers plain decimals (an optional sign, 1 to 8 digits, and a point
// followed by more digits, at most 19 in all, or no point). Anything else,
// and a record near the end of the content (within 32 bytes), is left to the
// value-by-value reader from the record's start: the slot may then hold part
// of the record, which that reader stores over.

#include <cstdint>
#include <vector>

#include "stations/station_table.h"
#include "stations/value_scanner.h"

namespace dedup {

// Reads common records one after the other into the table's slots from n on,
// as long as slots remain, and counts them into n; `first_lines`, when not
// null, receives the line of each. Stops at the start of the first record
// that is not one, with `scanner` there.
void read_plain_records(ValueScanner& scanner, StationTable& table, std::vector<std::int64_t>* first_lines);

}  // namespace dedup
