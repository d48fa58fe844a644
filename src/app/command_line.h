#pragma once
// The command line: options first, then three positional file names (station
// list, kept-stations file, removed-stations report), each used with its
// trailing blanks removed. The options are
// --audit FILE and --map FILE (their names lose their trailing blanks too)
// and --max-records N (the table's capacity, a decimal whole number from 1
// to kLargestCapacity; kMaxStations without it), in any order; "--" ends
// the options, so that a list whose name starts with "-" stays reachable.
// --help / -h or --version as the only argument asks for that text instead;
// fewer or more than three names (an option after them counts as a name),
// an option without its value or given twice, or a --max-records value out
// of its range, is a usage error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stations/station_table.h"

namespace dedup {

struct RunNames {
  std::string station_list;
  std::string kept;
  std::string removed;
  std::optional<std::string> audit;  // none: no audit file
  std::optional<std::string> map;    // none: no map file
};

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kUsageError;
  RunNames names;      // set for kRun
  std::int32_t max_records = kMaxStations;  // for kRun: the table's capacity
  std::string problem;  // for kUsageError: what is wrong, empty when names are missing
};

CommandLine parse_command_line(int argc, const char* const* argv);

std::string usage_text();
std::string help_text();
std::string version_text();

// The text without its trailing blanks; leading blanks stay.
std::string trim_trailing_blanks(std::string_view text);

}  // namespace dedup
