#pragma once
// The writers of the result files, each putting one output's whole text into a
// TextFile (the layouts: src/README.md, "The result files").

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commit/text_file.h"
#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

struct ScreenEvent;

inline constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
inline constexpr std::string_view kAuditHeader =
    "event,case,first_record,first_line,first_id,second_record,second_line,second_id,"
    "distance,removed,first_reason,second_reason\n";
inline constexpr std::string_view kMapStart =
    "{\"type\":\"FeatureCollection\",\"generator\":\"station-dedup\",\"features\":[\n";

// The kept-stations file: the records with remove 0, one a line in record order.
void write_kept(const StationTable& table, TextFile& file);
// The removed-stations report: kReportHeader, then the records with remove 1 and their reasons.
void write_removed(const StationTable& table, TextFile& file);

// The kept list: the list's own bytes, every one as it stands, less the lines of each removed record.
// REQUIRES: `spans` holds the span of each of the table's n records, in order.
void write_kept_list(std::string_view list, std::span<const RecordSpan> spans, const StationTable& table,
                     TextFile& file);

// The audit file: CSV (RFC 4180), kAuditHeader, then one row per screening event in order.
// REQUIRES: `first_lines` holds the starting line of every record of `table`.
void write_audit(const StationTable& table, const std::vector<ScreenEvent>& events,
                 std::span<const std::int64_t> first_lines, TextFile& file);

// The map: one GeoJSON FeatureCollection (RFC 7946) from the line kMapStart, then a
// Point per record and a LineString per screening event, one feature a line.
// REQUIRES: `first_lines` holds the starting line of every record of `table`.
void write_map(const StationTable& table, const std::vector<ScreenEvent>& events,
               std::span<const std::int64_t> first_lines, TextFile& file);

}  // namespace dedup
