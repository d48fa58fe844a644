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
  // Reads the bytes `file` holds, which stay in it for later outputs, then
  // checks that no other program cut the file short meanwhile (that failure
  // comes first, as it may be all that is wrong with the content).
  static void read(ListFile& file, const ListSyntax& syntax, StationTable& table, RecordPlaces& places);

  // The same for a list already in memory; `name` names it in diagnostics.
  static void read_content(std::string_view content, const std::string& name, const ListSyntax& syntax,
                           StationTable& table, RecordPlaces& places);
};

}  // namespace dedup
