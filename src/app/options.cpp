#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "app/outputs.h"
#include "stations/list_syntax.h"
#include "stations/number_text.h"
#include "stations/station_table.h"

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

// Decimal digits only, from 1 to kLargestCapacity; 0 for any other text.
std::int32_t whole_number(std::string_view text) {
  std::int64_t count = 0;
  bool digits = !text.empty();
  for (const char c : text) {
    digits = digits && c >= '0' && c <= '9' && count <= kLargestCapacity;
    if (digits) count = count * 10 + (c - '0');
  }
  return digits && count <= kLargestCapacity ? static_cast<std::int32_t>(count) : 0;
}

std::string set_max_records(CommandLine& command, std::string_view value) {
  const std::int32_t count = whole_number(value);
  if (count == 0) return "--max-records takes a whole number from 1 to " + std::to_string(kLargestCapacity);
  command.max_records = count;
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
    const std::int32_t position = whole_number(text.substr(1));
    if (position == 0) return std::string(option) + " #N takes the number of a field, from 1";
    column = {ColumnChoice::Kind::kPosition, {}, position};
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

constexpr Argument kStationList{.name = "STATION_LIST",
                                .help = "the list to read: five values per record, separated by\n"
                                        "blanks or commas; text may be quoted; or, with --id, a\n"
                                        "delimited export; at most {kMaxStations} records (see --max-records)",
                                .set = name_station_list};

// The options that name no output.
constexpr std::array kOptions{
    Argument{.name = "--max-records", .value = "N", .value_is = "the number of records",
             .help = "room for up to N records instead of {kMaxStations} (N from 1 to\n"
                     "{kLargestCapacity}); a longer list is refused before anything is\n"
                     "written. A run costs what its records cost, not N:\n"
                     "about 0.3 s and 200 MB per million records",
             .set = set_max_records},
    Argument{.name = "--id", .value = "COLUMN", .value_is = "a column",
             .help = "read STATION_LIST as a delimited export (a header line,\n"
                     "fields split at ; , tab or |), the identifier from COLUMN:\n"
                     "a name in the header line, or #N for the N-th field;\n"
                     "--lon, --lat and --prec are then needed too",
             .set = set_column<&DelimitedSyntax::id>, .needs = "--lon --lat --prec"},
    column_option("--agency", "the agency's column, or =TEXT for every row (empty without)", set_agency),
    column_option("--lon", "the longitude's column", set_column<&DelimitedSyntax::lon>),
    column_option("--lat", "the latitude's column", set_column<&DelimitedSyntax::lat>),
    column_option("--prec", "the precipitation's column, or =NUMBER for every row", set_column<&DelimitedSyntax::prec>),
    Argument{.name = "--delimiter", .value = "D", .value_is = "one of ; , tab |",
             .help = "the fields are split at D (; , tab or |) instead of at the\n"
                     "one the header line shows",
             .set = set_delimiter, .needs = "--id"},
    Argument{.name = "--decimal", .value = "MARK", .value_is = "auto, point or comma",
             .help = "the numbers' decimal mark: auto (the default: a comma when\n"
                     "the fields are not split at commas, or in quotes), point\n"
                     "or comma",
             .set = set_decimal, .needs = "--id"},
    Argument{.name = "--missing", .value = "VALUE", .value_is = "a value",
             .help = "a cell holding VALUE (as text, or as the same number) has\n"
                     "no value, as an empty one; may be given more than once",
             .set = add_missing, .repeats = true, .needs = "--id"},
    Argument{.name = "--skip-missing",
             .help = "leave out a row whose longitude, latitude or precipitation\n"
                     "has no value (noted on standard error) instead of stopping",
             .set = set_skip_missing, .needs = "--id"},
};

constexpr std::size_t kArgumentCount = 1 + kOutputCount + kOptions.size();
static_assert(kArgumentCount <= kMostArguments, "the parser marks each argument given in a bitset of that size");

// The station list, the outputs' arguments in their descriptions' places, the other options.
template <std::size_t... id>
std::array<Argument, kArgumentCount> compose(std::index_sequence<id...>) {
  std::array<Argument, kArgumentCount> table{kStationList};
  const auto add = [&table](const OutputDescription& output, std::string (*set)(CommandLine&, std::string_view)) {
    table[1 + output.shown] = {
        .name = output.option, .value = output.value, .value_is = output.value_is, .help = output.help, .set = set};
  };
  (add(output_description(static_cast<OutputId>(id)), name_output<static_cast<OutputId>(id)>), ...);
  std::ranges::copy(kOptions, table.begin() + 1 + kOutputCount);
  return table;
}

}  // namespace

std::span<const Argument> station_dedup_arguments() {
  static const std::array table = compose(std::make_index_sequence<kOutputCount>());
  return table;
}

}  // namespace dedup
