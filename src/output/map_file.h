#pragma once
// The map file: one GeoJSON FeatureCollection (RFC 7946) in strict JSON,
// its first line always kMapStart, then one feature per line: a Point per
// record in record order (its record number, starting line, id, orgao,
// prec, kept or removed, reason), then a LineString per screening event in
// order, from the first record to the second (event, case, both record
// numbers, distance, which record it removed, whether both precipitations
// are equal). Texts are the trimmed bytes in UTF-8 (json_text.h), numbers
// the shortest text of the float; a value that is not finite is null, and
// so is the geometry of a record, or of an event, with such a coordinate.
// kMapStart is the line an existing file must begin with to be replaced by
// one (replace_rule.h).

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commit/text_file.h"
#include "stations/station_table.h"

namespace dedup {

struct ScreenEvent;

inline constexpr std::string_view kMapStart =
    "{\"type\":\"FeatureCollection\",\"generator\":\"station-dedup\",\"features\":[\n";

// REQUIRES: `first_lines` holds the starting line of every record of `table`.
void write_map(const StationTable& table, const std::vector<ScreenEvent>& events,
               std::span<const std::int64_t> first_lines, TextFile& file);

}  // namespace dedup
