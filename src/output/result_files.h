#pragma once
// The two result files: the kept-stations file and the removed-stations report.
// Each is created (or emptied), written in full and closed; any failure is a
// FatalError naming the file.

#include <string>

#include "stations/station_table.h"

namespace dedup {

void write_kept(const StationTable& table, const std::string& name);
void write_removed(const StationTable& table, const std::string& name);

}  // namespace dedup
