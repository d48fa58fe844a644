#include "app/command_line.h"

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace dedup {
namespace {

constexpr std::size_t kHelpIndent = 18;

bool by_position(const Argument& argument) { return !argument.name.starts_with('-'); }

// The help's text with each limit it names by its constant written out.
std::string with_limits(std::string_view text) {
  const std::pair<std::string_view, std::int32_t> limits[] = {{"{kMaxStations}", kMaxStations},
                                                              {"{kLargestCapacity}", kLargestCapacity}};
  std::string filled(text);
  for (const auto& [token, limit] : limits) {
    for (auto at = filled.find(token); at != std::string::npos; at = filled.find(token)) {
      filled.replace(at, token.size(), std::to_string(limit));
    }
  }
  return filled;
}

// One entry of --help: the label, then the help's lines in a column of their
// own; a label that would stand less than two blanks from it has a line of its own.
std::string help_entry(std::string_view label, std::string_view help) {
  std::string text = "  " + std::string(label);
  const bool own_line = label.size() + 4 > kHelpIndent;
  text.append(own_line ? "\n" : "").append(own_line ? kHelpIndent : kHelpIndent - 2 - label.size(), ' ');
  for (const char c : with_limits(help)) {
    text += c;
    if (c == '\n') text.append(kHelpIndent, ' ');
  }
  return text + "\n";
}

std::string label(const Argument& argument) {
  return std::string(argument.name) + (argument.value.empty() ? "" : " ") + std::string(argument.value);
}

}  // namespace

std::string trim_trailing_blanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

CommandLine parse_command_line(int argc, const char* const* argv, std::span<const Argument> table) {
  CommandLine command;
  if (argc == 2) {
    const std::string_view only = argv[1];
    if (only == "--help" || only == "-h") command.action = CommandLine::Action::kHelp;
    if (only == "--version") command.action = CommandLine::Action::kVersion;
  }
  const auto find = [&](std::string_view name) {
    std::size_t k = 0;
    while (k < table.size() && (by_position(table[k]) || table[k].name != name)) ++k;
    return k;
  };
  std::bitset<kMostArguments> given;
  int at = 1;
  while (at < argc && std::string_view(argv[at]) != "--") {
    const std::string_view option = argv[at];
    const std::size_t k = find(option);
    if (k == table.size()) break;
    const Argument& argument = table[k];
    const bool valued = !argument.value.empty();
    if (valued && at + 1 == argc) {
      command.problem = std::string(option) + " needs " + std::string(argument.value_is);
    } else if (given[k] && !argument.repeats) {
      command.problem = std::string(option) + " is given twice";
    } else {
      command.problem = argument.set(command, valued ? argv[at + 1] : "");
    }
    if (!command.problem.empty()) return command;
    given[k] = true;
    at += valued ? 2 : 1;
  }
  if (at < argc && std::string_view(argv[at]) == "--") ++at;
  for (std::size_t k = 0; k < table.size(); ++k) {
    for (std::string_view needs = table[k].needs; given[k] && !needs.empty();) {
      const std::string_view option = needs.substr(0, needs.find(' '));
      needs.remove_prefix(std::min(option.size() + 1, needs.size()));
      const std::size_t needed = find(option);
      if (needed == table.size() || !given[needed]) {
        command.problem = std::string(table[k].name) + " needs " + std::string(option);
        return command;
      }
    }
  }
  const int names = 3;
  if (argc - at > names) {
    command.problem = std::string(argv[at + names]) +
                      ": an argument after the three file names; give exactly three, with any option before them";
    return command;
  }
  if (argc - at < names) return command;
  for (int k = 0; k < names; ++k) {
    command.problem = table[k].set(command, argv[at + k]);
    if (!command.problem.empty()) return command;
  }
  command.action = CommandLine::Action::kRun;
  return command;
}

std::string usage_text(std::span<const Argument> table) {
  std::string usage = "usage: station-dedup";
  for (const Argument& argument : table) {
    if (!by_position(argument)) usage.append(" [").append(label(argument)).append(argument.repeats ? "]..." : "]");
  }
  usage += " [--]";
  for (const Argument& argument : table) {
    if (by_position(argument)) usage.append(" ").append(argument.name);
  }
  return usage + "\n";
}

std::string help_text(std::span<const Argument> table) {
  std::string help = usage_text(table) +
                     "       station-dedup --help | -h | --version\n"
                     "\n"
                     "Reads a list of precipitation-gauge station records (identifier, agency,\n"
                     "longitude, latitude, precipitation), finds duplicated and conflicting\n"
                     "copies of stations, and writes the stations kept to KEPT_FILE and the\n"
                     "stations removed, each with its reason, to REMOVED_REPORT.\n";
  for (std::size_t k = 0; k < table.size(); ++k) {
    if (k == 0 || by_position(table[k]) != by_position(table[k - 1])) help += "\n";
    help += help_entry(label(table[k]), table[k].help);
  }
  return help + help_entry("--", "end of the options (for a STATION_LIST starting with -)") +
         help_entry("-h, --help", "print this help and exit") + help_entry("--version", "print the version and exit") +
         "\n"
         "Exit status: 0 on success, 2 on any failure (the message on standard error).\n"
         "The input format and the rules are described in station-dedup(1). A\n"
         "network's export (a header line, semicolons, decimal commas) is read\n"
         "with --id, --lon, --lat and --prec: see \"Reading an export\" in the README.\n";
}

std::string version_text() { return std::string("station-dedup ") + STATION_DEDUP_VERSION + "\n"; }

}  // namespace dedup
