#pragma once
// Duplicate screening: marks duplicated and conflicting records for removal.
// The pairwise pass classifies every pair of records (i before j, in input
// order, each applied at once) by identifier, place, precipitation and
// distance; the purge then removes every record whose identifier was found
// in conflict. Only remove, mark_all and reason of records 1..n change.
// Given a ScreenLog, the screening also records its events there (see
// screen_log.h); the decisions are the same with or without one.

#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

class DuplicateScreen {
 public:
  // The screening the program runs: indexed pairwise pass, then the purge.
  // Expects a freshly reset table.
  static void screen(StationTable& table);
  static void screen(StationTable& table, ScreenLog& log);

  // The same decisions by the plain quadratic scan and purge; the reference
  // that screen() is checked against. Expects a freshly reset table.
  static void screen_plain(StationTable& table);
  static void screen_plain(StationTable& table, ScreenLog& log);
};

}  // namespace dedup
