// Feeds arbitrary bytes to the delimited-export reader, the first byte
// choosing the columns and options. A FatalError naming the export is a
// normal outcome; any other exception, a sanitizer report, or a broken
// guarantee is a finding:
// - n lies between 0 and the capacity, and every place list has n entries,
//   spans in order within the content;
// - the records read, written out as a free-form list (texts quoted,
//   numbers in the shortest form that reads back to the same float), read
//   by the free-form reader, give the same table, bit for bit.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stations/delimited_reader.h"
#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"
#include "util/fatal_error.h"

namespace {

using dedup::ColumnChoice;
using dedup::DelimitedSyntax;

constexpr const char* kName = "fuzzed.csv";
constexpr std::int32_t kCapacity = 64;

void require(bool condition) {
  if (!condition) std::abort();
}

ColumnChoice named(const char* name) { return {ColumnChoice::Kind::kName, name, 0}; }
ColumnChoice at(std::int32_t position) { return {ColumnChoice::Kind::kPosition, "", position}; }

// Bits of `options`: 0 columns by position (else by name: id, ag, lon,
// lat, p); 1-2 the delimiter (found, ';', ',', tab); 3-4 the decimal mark;
// 5 skip missing; 6 "--missing 999 NA"; 7 the agency given as a value and
// the precipitation 0.
DelimitedSyntax syntax_for(std::uint8_t options) {
  DelimitedSyntax syntax;
  if (options & 1) {
    syntax.id = at(1);
    syntax.agency = at(2);
    syntax.lon = at(3);
    syntax.lat = at(4);
    syntax.prec = at(5);
  } else {
    syntax.id = named("id");
    syntax.agency = named("ag");
    syntax.lon = named("lon");
    syntax.lat = named("LAT");
    syntax.prec = named("p");
  }
  constexpr char kDelimiters[] = {0, ';', ',', '\t'};
  syntax.delimiter = kDelimiters[(options >> 1) & 3];
  constexpr DelimitedSyntax::Decimal kDecimals[] = {DelimitedSyntax::Decimal::kAuto, DelimitedSyntax::Decimal::kPoint,
                                                    DelimitedSyntax::Decimal::kComma, DelimitedSyntax::Decimal::kAuto};
  syntax.decimal = kDecimals[(options >> 3) & 3];
  syntax.skip_missing = (options & 32) != 0;
  if (options & 64) syntax.missing = {"999", "NA"};
  if (options & 128) {
    syntax.agency = ColumnChoice{ColumnChoice::Kind::kValue, "INMET", 0};
    syntax.prec = ColumnChoice{ColumnChoice::Kind::kValue, "0", 0};
  }
  return syntax;
}

void append_text(std::string& list, std::string_view text) {
  list += '"';
  for (const char c : text) {
    list += c;
    if (c == '"') list += '"';
  }
  list += "\" ";
}

void append_number(std::string& list, float value) {
  if (std::isnan(value)) {
    list += "NaN ";
    return;
  }
  char digits[64];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  list.append(digits, written.ptr);
  list += ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static dedup::StationTable table(kCapacity);
  static dedup::StationTable again(kCapacity);
  const std::string_view content(reinterpret_cast<const char*>(data) + 1, size - 1);
  dedup::RecordPlaces places;
  places.want_lines = true;
  places.want_spans = true;
  table.n = 0;
  try {
    dedup::read_delimited(content, kName, syntax_for(data[0]), table, places);
  } catch (const dedup::FatalError& error) {
    require(std::string_view(error.what()).starts_with(std::string(kName) + ":"));
    return 0;
  }
  const auto n = static_cast<std::size_t>(table.n);
  require(table.n >= 0 && table.n <= kCapacity);
  require(places.first_lines.size() == n && places.spans.size() == n);
  for (std::size_t k = 0; k < n; ++k) {
    require(places.spans[k].begin < places.spans[k].end && places.spans[k].end <= content.size());
    require(k == 0 || (places.spans[k - 1].end <= places.spans[k].begin &&
                       places.first_lines[k - 1] < places.first_lines[k]));
  }

  std::string list;
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    append_text(list, table.id[slot].trimmed());
    append_text(list, table.orgao[slot].trimmed());
    append_number(list, table.lon[slot]);
    append_number(list, table.lat[slot]);
    append_number(list, table.prec[slot]);
    list += '\n';
  }
  dedup::RecordPlaces again_places;
  dedup::StationListReader::read_content(list, "written.txt", dedup::FreeFormSyntax{}, again, again_places);
  require(again.n == table.n);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    require(again.id[slot] == table.id[slot] && again.orgao[slot] == table.orgao[slot]);
    require(std::bit_cast<std::uint32_t>(again.lon[slot]) == std::bit_cast<std::uint32_t>(table.lon[slot]));
    require(std::bit_cast<std::uint32_t>(again.lat[slot]) == std::bit_cast<std::uint32_t>(table.lat[slot]));
    require(std::bit_cast<std::uint32_t>(again.prec[slot]) == std::bit_cast<std::uint32_t>(table.prec[slot]));
  }
  return 0;
}
