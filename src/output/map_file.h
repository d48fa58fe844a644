#pragma once
// The map file: one GeoJSON FeatureCollection (RFC 7946) starting with the line
// kMapStart, then a Point per record and a LineString per screening event, one
// feature a line (their properties: src/README.md, "The result files").

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
