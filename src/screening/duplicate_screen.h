#pragma once
// Duplicate screening: marks duplicated and conflicting records for removal.

#include "stations/station_table.h"

namespace dedup {

class DuplicateScreen {
 public:
  // Sets remove, mark_all and reason of records 1..n. Expects a freshly
  // reset table.
  static void screen(StationTable& table);
};

}  // namespace dedup
