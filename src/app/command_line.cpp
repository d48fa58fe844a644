#include "app/command_line.h"

namespace dedup {

std::string trim_trailing_blanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

CommandLine parse_command_line(int argc, const char* const* argv) {
  CommandLine command;
  if (argc == 2) {
    const std::string_view only = argv[1];
    if (only == "--help" || only == "-h") command.action = CommandLine::Action::kHelp;
    if (only == "--version") command.action = CommandLine::Action::kVersion;
  }
  if (argc >= 4) {
    command.action = CommandLine::Action::kRun;
    command.names = {trim_trailing_blanks(argv[1]), trim_trailing_blanks(argv[2]),
                     trim_trailing_blanks(argv[3])};
  }
  return command;
}

std::string usage_text() {
  return "usage: station-dedup STATION_LIST KEPT_FILE REMOVED_REPORT\n";
}

std::string help_text() {
  return usage_text() +
         "       station-dedup --help | -h | --version\n"
         "\n"
         "Reads a list of precipitation-gauge station records (identifier, agency,\n"
         "longitude, latitude, precipitation), finds duplicated and conflicting\n"
         "copies of stations, and writes the stations kept to KEPT_FILE and the\n"
         "stations removed, each with its reason, to REMOVED_REPORT.\n"
         "\n"
         "  STATION_LIST    the list to read: five values per record, separated by\n"
         "                  blanks or commas; text may be quoted; at most 30000 records\n"
         "  KEPT_FILE       written: one line per kept station, no header; may be\n"
         "                  STATION_LIST itself\n"
         "  REMOVED_REPORT  written: a header line, then one line per removed station\n"
         "                  with its reason (MOTIVO); must differ from KEPT_FILE\n"
         "\n"
         "  -h, --help      print this help and exit\n"
         "  --version       print the version and exit\n"
         "\n"
         "Exit status: 0 on success, 2 on any failure (the message on standard error).\n"
         "The input format and the rules are described in station-dedup(1).\n";
}

std::string version_text() { return std::string("station-dedup ") + STATION_DEDUP_VERSION + "\n"; }

}  // namespace dedup
