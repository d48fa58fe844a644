#pragma once
// Duplicate screening: marks duplicated and conflicting records for removal.
// The pairwise pass classifies every pair of records (i before j, in input
// order, each applied at once) by identifier, place, precipitation and
// distance; the purge then removes every record whose identifier was found
// in conflict. Only remove, mark_all and reason of records 1..n change.
// Given a ScreenLog, the screening also records its events there (see
// screen_log.h); the decisions are the same with or without one.
//
// The reasons are decided here, as ReasonCode values stored in the table;
// their texts live beside the code in stations/reason_code.h, because the
// table's reason column holds the code and every room reads it from there:
// the output writes the texts and the audit trail keeps them per event.

#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

class DuplicateScreen {
 public:
  // The screening the program runs: indexed pairwise pass, then the purge.
  // REQUIRES: a freshly reset table (no remove, mark_all or reason set).
  static void screen(StationTable& table, ScreenLog* log = nullptr);

  // The same decisions and events by the plain quadratic scan and purge; the
  // reference that screen() is checked against.
  // REQUIRES: a freshly reset table.
  static void screen_plain(StationTable& table, ScreenLog* log = nullptr);
};

}  // namespace dedup
