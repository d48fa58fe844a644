#include "app/command_line.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dedup {
namespace {

std::string name_station_list(CommandLine& command, std::string_view value) {
  command.names.station_list = trim_trailing_blanks(value);
  return {};
}

template <OutputId id>
std::string name_output(CommandLine& command, std::string_view value) {
  command.names.outputs[id] = trim_trailing_blanks(value);
  return {};
}

// Decimal digits only, from 1 to kLargestCapacity.
std::string set_max_records(CommandLine& command, std::string_view value) {
  std::int64_t count = 0;
  bool digits = !value.empty();
  for (const char c : value) {
    digits = digits && c >= '0' && c <= '9' && count <= kLargestCapacity;
    if (digits) count = count * 10 + (c - '0');
  }
  if (!digits || count < 1 || count > kLargestCapacity) {
    return "--max-records takes a whole number from 1 to " + std::to_string(kLargestCapacity);
  }
  command.max_records = static_cast<std::int32_t>(count);
  return {};
}

constexpr std::array kArguments{
    Argument{.name = "STATION_LIST",
             .help = "the list to read: five values per record, separated by\n"
                     "blanks or commas; text may be quoted; at most {kMaxStations} records\n"
                     "(see --max-records)",
             .set = name_station_list},
    Argument{.name = "KEPT_FILE",
             .help = "written: one line per kept station, no header; may be\n"
                     "STATION_LIST itself",
             .set = name_output<kKeptOutput>},
    Argument{.name = "REMOVED_REPORT",
             .help = "written: a header line, then one line per removed station\n"
                     "with its reason (MOTIVO); must differ from KEPT_FILE and\n"
                     "STATION_LIST, and replaces only an empty file or a report",
             .set = name_output<kRemovedOutput>},
    Argument{.name = "--audit",
             .value = "AUDIT_FILE",
             .value_is = "the name of the audit file",
             .help = "also write AUDIT_FILE, a CSV file with one row per event:\n"
                     "each pair that removed records, each record the purge\n"
                     "removed with the record it was matched with, and each\n"
                     "pair of kept stations that may be one (to review): with\n"
                     "different identifiers less than 0.02 apart, or of one\n"
                     "identifier kept twice; it must differ from the other\n"
                     "three files, and replaces only an empty file or an\n"
                     "audit file",
             .set = name_output<kAuditOutput>},
    Argument{.name = "--map",
             .value = "MAP_FILE",
             .value_is = "the name of the map file",
             .help = "also write MAP_FILE, a GeoJSON file for a GIS: one point\n"
                     "per record (record, line, id, agency, precipitation,\n"
                     "status kept or removed, reason) and one line per row of\n"
                     "the audit file, from the first record to the second\n"
                     "(event, case, first_record, second_record, distance,\n"
                     "removed, same_precipitation); it must differ from the\n"
                     "other files, and replaces only an empty file or a map\n"
                     "this program wrote",
             .set = name_output<kMapOutput>},
    Argument{.name = "--max-records",
             .value = "N",
             .value_is = "the number of records",
             .help = "room for up to N records instead of {kMaxStations} (N from 1 to\n"
                     "{kLargestCapacity}); a longer list is refused before anything is\n"
                     "written. A run costs what its records cost, not N:\n"
                     "about 0.3 s and 200 MB per million records",
             .set = set_max_records},
};

}  // namespace

std::span<const Argument> station_dedup_arguments() { return kArguments; }

}  // namespace dedup
