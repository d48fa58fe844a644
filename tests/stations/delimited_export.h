#pragma once
// Column choices written as on the command line, and a delimited export
// read from text into a table of the given capacity, with what the reader
// records beside it.

#include <memory>
#include <string>
#include <string_view>

#include "stations/delimited_reader.h"
#include "stations/list_syntax.h"
#include "stations/number_text.h"
#include "stations/station_table.h"

namespace dedup::testing {

// "NAME", "#N" or "=TEXT" (its number read as the command line reads it).
inline ColumnChoice column(const std::string& option) {
  ColumnChoice choice;
  if (option.starts_with('#')) {
    choice.kind = ColumnChoice::Kind::kPosition;
    choice.position = std::stoi(option.substr(1));
  } else if (option.starts_with('=')) {
    choice.kind = ColumnChoice::Kind::kValue;
    choice.text = option.substr(1);
    choice.number = parse_number_either_mark(choice.text).value_or(0.0f);
  } else {
    choice.text = option;
  }
  return choice;
}

// Identifier, longitude, latitude, precipitation and, when not empty, agency.
inline DelimitedSyntax columns(const std::string& id, const std::string& lon, const std::string& lat,
                               const std::string& prec, const std::string& agency = "") {
  DelimitedSyntax syntax;
  syntax.id = column(id);
  syntax.lon = column(lon);
  syntax.lat = column(lat);
  syntax.prec = column(prec);
  if (!agency.empty()) syntax.agency = column(agency);
  return syntax;
}

struct ReadExport {
  std::unique_ptr<StationTable> table;
  RecordPlaces places;
};

inline ReadExport read_export(std::string_view content, const DelimitedSyntax& syntax,
                              std::int32_t capacity = kMaxStations) {
  ReadExport read{std::make_unique<StationTable>(capacity), {}};
  read.places.want_lines = true;
  read.places.want_spans = true;
  read_delimited(content, "export.csv", syntax, *read.table, read.places);
  return read;
}

}  // namespace dedup::testing
