#pragma once
// Reads the station list, written in one of the list syntaxes, into the
// table: sets n and fills `places` as asked. Each syntax's reader states its
// rules and its diagnostics; all are FatalError naming the list.

#include <string>
#include <string_view>

#include "stations/list_file.h"
#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

class StationListReader {
 public:
  // Reads the bytes `file` holds, then checks that no other program cut it
  // short meanwhile (that failure first: it may be all that is wrong).
  static void read(ListFile& file, const ListSyntax& syntax, StationTable& table, RecordPlaces& places);

  // The same for a list already in memory; `name` names it in diagnostics.
  static void read_content(std::string_view content, const std::string& name, const ListSyntax& syntax,
                           StationTable& table, RecordPlaces& places);
};

}  // namespace dedup
