#pragma once
// Small station tables for the screening tests: rows with the fields the
// screening reads, loaded into a table, and the screening state read back.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "screening/duplicate_screen.h"
#include "stations/station_table.h"

namespace dedup::testing {

struct Row {
  std::string id;
  float lon = 0.0f;
  float lat = 0.0f;
  float prec = 0.0f;
};

// The screening state of one record, its reason trimmed.
struct Outcome {
  std::int32_t remove = 0;
  std::int32_t mark_all = 0;
  std::string reason;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out);

// Stores rows into slots 0.. of the table, sets n, and clears the screening
// state of those slots (the state a reset leaves).
void load(StationTable& table, const std::vector<Row>& rows);

std::vector<Outcome> outcomes(const StationTable& table);

// prefix followed by the decimal digits of k.
std::string numbered(const std::string& prefix, std::uint64_t k);

// One line per row, coordinates printed so that they read back exactly.
std::string describe(const std::vector<Row>& rows);

// One line per event: kind, case, both record numbers, the distance in
// hexadecimal (exact, NaN included), the removed record(s), whether the
// precipitations are equal and both reasons.
std::string describe(const std::vector<ScreenEvent>& events);

using ScreenFunction = void (*)(StationTable&, ScreenLog*);

// Loads rows into a table of its own, runs `screen` on it, returns the outcome.
std::vector<Outcome> screen_rows(ScreenFunction screen, const std::vector<Row>& rows);

}  // namespace dedup::testing
