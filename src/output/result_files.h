#pragma once
// The kept-stations file (records with remove 0) and the removed-stations report
// (kReportHeader, then records with remove 1 and their reasons), one record a
// line in record order (the layouts: src/README.md, "The result files").

#include <string_view>

#include "commit/text_file.h"
#include "stations/station_table.h"

namespace dedup {

inline constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";

void write_kept(const StationTable& table, TextFile& file);
void write_removed(const StationTable& table, TextFile& file);

}  // namespace dedup
