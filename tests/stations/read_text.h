#pragma once
// Reads a station list given as text through the real reader, by way of a
// file in a scratch folder, into a table of the given capacity; and the
// fatal message reading it gives.

#include <memory>
#include <string>
#include <string_view>

#include "util/fatal_error.h"
#include "stations/list_file.h"
#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"
#include "support/scratch_folder.h"

namespace dedup::testing {

// Reads the free-form list in the named file, as a run does.
inline void read_file(const std::string& name, StationTable& table) {
  ListFile file(name);
  RecordPlaces places;
  StationListReader::read(file, FreeFormSyntax{}, table, places);
}

inline std::unique_ptr<StationTable> read_text(std::string_view content, std::int32_t capacity = kMaxStations) {
  ScratchFolder folder;
  auto table = std::make_unique<StationTable>(capacity);
  read_file(folder.write("list.txt", content), *table);
  return table;
}

// The diagnostic without the folder part of the file name, or "" if reading
// succeeded.
inline std::string read_failure(std::string_view content, std::int32_t capacity = kMaxStations) {
  ScratchFolder folder;
  StationTable table(capacity);
  const std::string name = folder.write("list.txt", content);
  try {
    read_file(name, table);
  } catch (const FatalError& error) {
    std::string message = error.what();
    if (message.rfind(name, 0) == 0) message.replace(0, name.size(), "list.txt");
    return message;
  }
  return "";
}

}  // namespace dedup::testing
