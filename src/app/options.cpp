#include "app/command_line.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "stations/number_text.h"

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

// The export's syntax that the column options fill, made by the first of them.
DelimitedSyntax& delimited(CommandLine& command) {
  if (!std::holds_alternative<DelimitedSyntax>(command.syntax)) command.syntax = DelimitedSyntax{};
  return std::get<DelimitedSyntax>(command.syntax);
}

// A column: "#N" the N-th field (from 1), "=TEXT" a value every row takes
// (where `takes_value`), anything else a name in the header line.
std::string read_column(std::string_view option, std::string_view text, bool takes_value, ColumnChoice& column) {
  if (text.starts_with('=')) {
    if (!takes_value) return std::string(option) + " takes a column, not a value (only --agency and --prec take =TEXT)";
    column = {ColumnChoice::Kind::kValue, std::string(text.substr(1))};
    return {};
  }
  if (text.starts_with('#')) {
    std::int64_t position = 0;
    bool digits = text.size() > 1;
    for (const char c : text.substr(1)) {
      digits = digits && c >= '0' && c <= '9' && position <= kLargestCapacity;
      if (digits) position = position * 10 + (c - '0');
    }
    if (!digits || position < 1 || position > kLargestCapacity) {
      return std::string(option) + " #N takes the number of a field, from 1";
    }
    column = {ColumnChoice::Kind::kPosition, {}, static_cast<std::int32_t>(position)};
    return {};
  }
  if (text.empty()) return std::string(option) + " takes the name of a column";
  column = {ColumnChoice::Kind::kName, std::string(text)};
  return {};
}

// The precipitation's "=NUMBER" is read here, once, with either decimal mark.
template <ColumnChoice DelimitedSyntax::*member>
std::string set_column(CommandLine& command, std::string_view value) {
  constexpr bool kPrec = member == &DelimitedSyntax::prec;
  ColumnChoice& column = delimited(command).*member;
  const std::string problem = read_column(member == &DelimitedSyntax::id    ? "--id"
                                          : member == &DelimitedSyntax::lon ? "--lon"
                                          : member == &DelimitedSyntax::lat ? "--lat"
                                                                            : "--prec",
                                          value, kPrec, column);
  if (!kPrec || !problem.empty() || column.kind != ColumnChoice::Kind::kValue) return problem;
  const std::optional<float> number = parse_number_either_mark(column.text);
  if (!number) return "--prec =NUMBER takes a number";
  column.number = *number;
  return {};
}

std::string set_agency(CommandLine& command, std::string_view value) {
  return read_column("--agency", value, true, delimited(command).agency.emplace());
}

std::string set_delimiter(CommandLine& command, std::string_view value) {
  if (value == "tab") value = "\t";
  if (value.size() != 1 || std::string_view(";,\t|").find(value.front()) == std::string_view::npos) {
    return "--delimiter takes one of ; , tab |";
  }
  delimited(command).delimiter = value.front();
  return {};
}

std::string set_decimal(CommandLine& command, std::string_view value) {
  using Decimal = DelimitedSyntax::Decimal;
  constexpr std::pair<std::string_view, Decimal> kMarks[] = {
      {"auto", Decimal::kAuto}, {"point", Decimal::kPoint}, {"comma", Decimal::kComma}};
  for (const auto& [name, mark] : kMarks) {
    if (value == name) {
      delimited(command).decimal = mark;
      return {};
    }
  }
  return "--decimal takes auto, point or comma";
}

std::string add_missing(CommandLine& command, std::string_view value) {
  delimited(command).missing.emplace_back(value);
  return {};
}

std::string set_skip_missing(CommandLine& command, std::string_view) {
  delimited(command).skip_missing = true;
  return {};
}

// An option naming a column of the export, which only --id may do alone.
constexpr Argument column_option(std::string_view name, std::string_view help,
                                 std::string (*set)(CommandLine&, std::string_view)) {
  return {.name = name, .value = "COLUMN", .value_is = "a column", .help = help, .set = set, .needs = "--id"};
}

constexpr std::array kArguments{
    Argument{.name = "STATION_LIST",
             .help = "the list to read: five values per record, separated by\n"
                     "blanks or commas; text may be quoted; or, with --id, a\n"
                     "delimited export; at most {kMaxStations} records (see --max-records)",
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
    Argument{.name = "--kept-list",
             .value = "LIST_FILE",
             .value_is = "the name of the kept list",
             .help = "also write LIST_FILE: STATION_LIST itself, byte for byte, less\n"
                     "the lines of every removed record (its notes, header and\n"
                     "columns kept); may be STATION_LIST itself",
             .set = name_output<kKeptListOutput>},
    Argument{.name = "--max-records",
             .value = "N",
             .value_is = "the number of records",
             .help = "room for up to N records instead of {kMaxStations} (N from 1 to\n"
                     "{kLargestCapacity}); a longer list is refused before anything is\n"
                     "written. A run costs what its records cost, not N:\n"
                     "about 0.3 s and 200 MB per million records",
             .set = set_max_records},
    Argument{.name = "--id",
             .value = "COLUMN",
             .value_is = "a column",
             .help = "read STATION_LIST as a delimited export (a header line,\n"
                     "fields split at ; , tab or |), the identifier from COLUMN:\n"
                     "a name in the header line, or #N for the N-th field;\n"
                     "--lon, --lat and --prec are then needed too",
             .set = set_column<&DelimitedSyntax::id>,
             .needs = "--lon --lat --prec"},
    column_option("--agency", "the agency's column, or =TEXT for every row (empty without)", set_agency),
    column_option("--lon", "the longitude's column", set_column<&DelimitedSyntax::lon>),
    column_option("--lat", "the latitude's column", set_column<&DelimitedSyntax::lat>),
    column_option("--prec", "the precipitation's column, or =NUMBER for every row", set_column<&DelimitedSyntax::prec>),
    Argument{.name = "--delimiter",
             .value = "D",
             .value_is = "one of ; , tab |",
             .help = "the fields are split at D (; , tab or |) instead of at the\n"
                     "one the header line shows",
             .set = set_delimiter,
             .needs = "--id"},
    Argument{.name = "--decimal",
             .value = "MARK",
             .value_is = "auto, point or comma",
             .help = "the numbers' decimal mark: auto (the default: a comma when\n"
                     "the fields are not split at commas, or in quotes), point\n"
                     "or comma",
             .set = set_decimal,
             .needs = "--id"},
    Argument{.name = "--missing",
             .value = "VALUE",
             .value_is = "a value",
             .help = "a cell holding VALUE (as text, or as the same number) has\n"
                     "no value, as an empty one; may be given more than once",
             .set = add_missing,
             .repeats = true,
             .needs = "--id"},
    Argument{.name = "--skip-missing",
             .help = "leave out a row whose longitude, latitude or precipitation\n"
                     "has no value (noted on standard error) instead of stopping",
             .set = set_skip_missing,
             .needs = "--id"},
};

}  // namespace

std::span<const Argument> station_dedup_arguments() { return kArguments; }

}  // namespace dedup
