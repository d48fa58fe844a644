#pragma once
// The result files of a run. The outputs themselves (where each goes, and
// how they are committed whole or not at all) are an OutputSet; the
// writers fill its texts, also when one receives no record. Records go in
// record-number order, lines end in a single '\n', texts are written
// trimmed and unchanged, two blanks apart.
// Kept-stations file: every record with remove 0, as id, orgao, lon and lat
// (12 wide, 6 decimals) and prec (8 wide, 2 decimals); no header.
// Removed-stations report: the header line, then every record with remove 1,
// as id, orgao, lon and lat (10 wide, 6 decimals), prec (8 wide, 2 decimals)
// and reason (a blank reason leaves the line ending in two blanks).
// The audit file (audit_file.h) and the map (map_file.h) are optional.
// kReportHeader is the line an existing file must begin with to be replaced
// by a report (replace_rule.h).

#include <string_view>

#include "commit/text_file.h"
#include "stations/station_table.h"

namespace dedup {

inline constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";

void write_kept(const StationTable& table, TextFile& file);
void write_removed(const StationTable& table, TextFile& file);

}  // namespace dedup
