#pragma once
// Duplicate screening: the pairwise pass, then the purge of every identifier
// found in conflict; only remove, mark_all and reason change. Given a
// ScreenLog it also records its events there, deciding the same.

#include "screening/screen_log.h"
#include "stations/station_table.h"

namespace dedup {

class DuplicateScreen {
 public:
  // The screening the program runs: indexed pairwise pass, then the purge.
  // REQUIRES: a freshly reset table (no remove, mark_all or reason set).
  static void screen(StationTable& table, ScreenLog* log = nullptr);

  // The same by the plain quadratic scan and purge, which screen() is held to.
  // REQUIRES: a freshly reset table.
  static void screen_plain(StationTable& table, ScreenLog* log = nullptr);
};

}  // namespace dedup
