#pragma once
// The command line: three positional file names (station list, kept-stations
// file, removed-stations report), each used with its trailing blanks removed;
// later arguments are ignored. --help / -h or --version as the only argument
// asks for that text instead; fewer than three names is a usage error.

#include <string>
#include <string_view>

namespace dedup {

struct RunNames {
  std::string station_list;
  std::string kept;
  std::string removed;
};

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kUsageError;
  RunNames names;  // set for kRun
};

CommandLine parse_command_line(int argc, const char* const* argv);

std::string usage_text();
std::string help_text();
std::string version_text();

// The text without its trailing blanks; leading blanks stay.
std::string trim_trailing_blanks(std::string_view text);

}  // namespace dedup
