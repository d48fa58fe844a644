#pragma once
// The command line, read by a table of its arguments: options in any order,
// "--" at will, then the file names by position, trailing blanks dropped (an
// unknown option is the first name); --help, -h or --version alone asks for that text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/outputs.h"
#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

struct RunNames {
  std::string station_list;
  std::array<std::optional<std::string>, kOutputCount> outputs;  // by OutputId; none: not asked for
};

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kUsageError;
  RunNames names;      // set for kRun
  std::int32_t max_records = kMaxStations;  // for kRun: the table's capacity
  ListSyntax syntax;    // for kRun: delimited once a column is named
  std::string problem;  // for kUsageError: what is wrong, empty when names are missing
};

// One argument of the command line: an option, or a file name by its position.
struct Argument {
  std::string_view name;      // "--audit"; for a file name, its placeholder ("KEPT_FILE")
  std::string_view value = {};     // the option's value as usage and help show it; empty: it takes none
  std::string_view value_is = {};  // what "<name> needs ..." says is missing
  std::string_view help;      // its lines in --help; {kMaxStations} and {kLargestCapacity} show those limits
  std::string (*set)(CommandLine& command, std::string_view value);  // returns what is wrong, or ""
  bool repeats = false;         // may be given more than once
  std::string_view needs = {};  // options that must be given with it, blank-separated
};

// station-dedup's arguments: the station list, the outputs' (outputs.h), the other options.
std::span<const Argument> station_dedup_arguments();

inline constexpr std::size_t kMostArguments = 64;  // entries a table may have: the parser marks each given or not

// REQUIRES: `table` holds first the three file names, then the options; at most kMostArguments entries.
CommandLine parse_command_line(int argc, const char* const* argv, std::span<const Argument> table);
std::string usage_text(std::span<const Argument> table);
std::string help_text(std::span<const Argument> table);
std::string version_text();

// The text without its trailing blanks; leading blanks stay.
std::string trim_trailing_blanks(std::string_view text);

}  // namespace dedup
