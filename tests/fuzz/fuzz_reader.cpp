// Feeds arbitrary bytes to the station list reader. A FatalError naming the
// list is a normal outcome; any other exception, a sanitizer report, or a
// table that breaks the reader's guarantees is a finding:
// - n lies between 0 and kMaxStations and is at most the number of lines,
//   since every record starts on a new line (a line feed or a carriage
//   return ends a line);
// - no stored identifier or agency holds a line feed or carriage return
//   (each output line must stay one record).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "util/fatal_error.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"

namespace {

constexpr const char* kName = "fuzzed.txt";

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static dedup::StationTable table;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  try {
    dedup::StationListReader::read_content(content, kName, table);
  } catch (const dedup::FatalError& error) {
    require(std::string_view(error.what()).starts_with(std::string(kName) + ":"));
    return 0;
  }
  const auto lines = std::count(content.begin(), content.end(), '\n') +
                     std::count(content.begin(), content.end(), '\r') + 1;
  require(table.n >= 0 && table.n <= dedup::kMaxStations && table.n <= lines);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    require(table.id[slot].full().find_first_of("\n\r") == std::string_view::npos);
    require(table.orgao[slot].full().find_first_of("\n\r") == std::string_view::npos);
  }
  return 0;
}
