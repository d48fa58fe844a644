#pragma once
// The result files of a run. The outputs themselves (where each goes, and
// how they are committed whole or not at all) are an OutputSet; the
// writers fill its texts, also when one receives no record. Records go in
// record-number order, lines end in a single '\n'.
// Kept-stations file: every record with remove 0, as id, orgao, lon and lat
// (12 wide, 6 decimals) and prec (8 wide, 2 decimals); no header. Texts are
// written trimmed and unchanged, two blanks apart.
// Removed-stations report: kReportHeader, then every record with remove 1,
// as the kept-stations file has them but lon and lat 10 wide, then reason
// (a blank reason leaves the line ending in two blanks).
// Audit file (optional): CSV (kAuditHeader, commas, RFC 4180 quoting where a
// text needs it), one row per screening event in order, naming both records
// by record number, starting line and identifier, with the case, the
// distance, which record the event removed and the reason each holds.
// Map (optional): one GeoJSON FeatureCollection (RFC 7946) in strict JSON,
// its first line always kMapStart, then one feature per line: a Point per
// record in record order (its record number, starting line, id, orgao,
// prec, kept or removed, reason), then a LineString per screening event in
// order, from the first record to the second (event, case, both record
// numbers, distance, which record it removed, whether both precipitations
// are equal). Texts are the trimmed bytes in UTF-8 (text_pieces.h), numbers
// the shortest text of the float; a value that is not finite is null, and
// so is the geometry of a record, or of an event, with such a coordinate.
// The first line of the report, of the audit file and of the map is the
// line an existing file must begin with to be replaced by one
// (replace_rule.h).

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "output/output_set.h"
#include "output/text_file.h"
#include "stations/station_table.h"

namespace dedup {

struct ScreenEvent;

inline constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
inline constexpr std::string_view kAuditHeader =
    "event,case,first_record,first_line,first_id,second_record,second_line,second_id,"
    "distance,removed,first_reason,second_reason\n";
inline constexpr std::string_view kMapStart =
    "{\"type\":\"FeatureCollection\",\"generator\":\"station-dedup\",\"features\":[\n";

void write_kept(const StationTable& table, TextFile& file);
void write_removed(const StationTable& table, TextFile& file);
// `first_lines` holds the starting line of every record of `table`.
void write_audit(const StationTable& table, const std::vector<ScreenEvent>& events,
                 std::span<const std::int64_t> first_lines, TextFile& file);
void write_map(const StationTable& table, const std::vector<ScreenEvent>& events,
               std::span<const std::int64_t> first_lines, TextFile& file);

}  // namespace dedup
