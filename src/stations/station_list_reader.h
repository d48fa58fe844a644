#pragma once
// Reads the station list into the table: five values per record (identifier,
// agency, longitude, latitude, precipitation), each record starting on a new
// line and running over as many lines as it needs; the rest of the line after
// the fifth value is skipped. A partial final record is dropped. Sets n.
// Fatal (FatalError naming the file, and the line for a bad value): a file
// that cannot be opened or read or that another program cuts short while it
// is read (whatever else that makes of its content), a numeric field that is
// not a number or has no value, malformed quoting, more records than the
// table's capacity. A failure on the first record of a list whose first line
// holds a semicolon adds a pointer to the README's section on exports.
// `first_lines`, when given, receives the line on which each record starts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stations/station_table.h"

namespace dedup {

class StationListReader {
 public:
  using FirstLines = std::vector<std::int64_t>;

  static void read(const std::string& name, StationTable& table, FirstLines* first_lines = nullptr);

  // The same for a list already in memory; `name` names it in diagnostics.
  static void read_content(std::string_view content, const std::string& name, StationTable& table,
                           FirstLines* first_lines = nullptr);
};

}  // namespace dedup
