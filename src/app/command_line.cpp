#include "app/command_line.h"

namespace dedup {

std::string trim_trailing_blanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

namespace {

// A --max-records value: decimal digits only, from 1 to kLargestCapacity.
std::optional<std::int32_t> record_count(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLargestCapacity) return std::nullopt;
  }
  if (value < 1) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

CommandLine parse_command_line(int argc, const char* const* argv) {
  CommandLine command;
  if (argc == 2) {
    const std::string_view only = argv[1];
    if (only == "--help" || only == "-h") command.action = CommandLine::Action::kHelp;
    if (only == "--version") command.action = CommandLine::Action::kVersion;
  }
  int at = 1;
  bool max_records_given = false;
  while (at < argc) {
    const std::string_view option = argv[at];
    if (option == "--") {
      ++at;
      break;
    }
    std::optional<std::string>* name = nullptr;  // none: --max-records
    std::string_view needs;
    if (option == "--audit") {
      name = &command.names.audit;
      needs = "the name of the audit file";
    } else if (option == "--map") {
      name = &command.names.map;
      needs = "the name of the map file";
    } else if (option == "--max-records") {
      needs = "the number of records";
    } else {
      break;
    }
    if (at + 1 == argc) {
      command.problem = std::string(option) + " needs " + std::string(needs);
      return command;
    }
    if (name != nullptr ? name->has_value() : max_records_given) {
      command.problem = std::string(option) + " is given twice";
      return command;
    }
    const std::string_view value = argv[at + 1];
    at += 2;
    if (name != nullptr) {
      *name = trim_trailing_blanks(value);
      continue;
    }
    const auto count = record_count(value);
    if (!count) {
      command.problem = "--max-records takes a whole number from 1 to " + std::to_string(kLargestCapacity);
      return command;
    }
    command.max_records = *count;
    max_records_given = true;
  }
  if (argc - at > 3) {
    command.problem = std::string(argv[at + 3]) +
                      ": an argument after the three file names; give exactly three, with any option before them";
    return command;
  }
  if (argc - at == 3) {
    command.action = CommandLine::Action::kRun;
    command.names.station_list = trim_trailing_blanks(argv[at]);
    command.names.kept = trim_trailing_blanks(argv[at + 1]);
    command.names.removed = trim_trailing_blanks(argv[at + 2]);
  }
  return command;
}

std::string usage_text() {
  return "usage: station-dedup [--audit AUDIT_FILE] [--map MAP_FILE] [--max-records N] [--] STATION_LIST KEPT_FILE "
         "REMOVED_REPORT\n";
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
         "                  (see --max-records)\n"
         "  KEPT_FILE       written: one line per kept station, no header; may be\n"
         "                  STATION_LIST itself\n"
         "  REMOVED_REPORT  written: a header line, then one line per removed station\n"
         "                  with its reason (MOTIVO); must differ from KEPT_FILE and\n"
         "                  STATION_LIST, and replaces only an empty file or a report\n"
         "\n"
         "  --audit AUDIT_FILE\n"
         "                  also write AUDIT_FILE, a CSV file with one row per event:\n"
         "                  each pair that removed records, each record the purge\n"
         "                  removed with the record it was matched with, and each\n"
         "                  pair of kept stations that may be one (to review): with\n"
         "                  different identifiers less than 0.02 apart, or of one\n"
         "                  identifier kept twice; it must differ from the other\n"
         "                  three files, and replaces only an empty file or an\n"
         "                  audit file\n"
         "  --map MAP_FILE  also write MAP_FILE, a GeoJSON file for a GIS: one point\n"
         "                  per record (record, line, id, agency, precipitation,\n"
         "                  status kept or removed, reason) and one line per row of\n"
         "                  the audit file, from the first record to the second\n"
         "                  (event, case, first_record, second_record, distance,\n"
         "                  removed, same_precipitation); it must differ from the\n"
         "                  other files, and replaces only an empty file or a map\n"
         "                  this program wrote\n"
         "  --max-records N room for up to N records instead of 30000 (N from 1 to\n"
         "                  100000000); a longer list is refused before anything is\n"
         "                  written. A run costs what its records cost, not N:\n"
         "                  about 0.3 s and 200 MB per million records\n"
         "  --              end of the options (for a STATION_LIST starting with -)\n"
         "  -h, --help      print this help and exit\n"
         "  --version       print the version and exit\n"
         "\n"
         "Exit status: 0 on success, 2 on any failure (the message on standard error).\n"
         "The input format and the rules are described in station-dedup(1). A\n"
         "spreadsheet's export (semicolons, decimal commas) must be converted first:\n"
         "see \"Preparing a list from common exports\" in the README.\n";
}

std::string version_text() { return std::string("station-dedup ") + STATION_DEDUP_VERSION + "\n"; }

}  // namespace dedup
