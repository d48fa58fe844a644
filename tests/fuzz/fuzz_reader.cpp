// Feeds arbitrary bytes to the station list reader. A FatalError naming the
// list is a normal outcome; any other exception, a sanitizer report, or a
// table that breaks the reader's guarantees is a finding:
// - n lies between 0 and kMaxStations and is at most the number of lines,
//   since every record starts on a new line (a line feed or a carriage
//   return ends a line);
// - no stored identifier or agency holds a line feed or carriage return
//   (each output line must stay one record);
// - each record has a first line and a span of whole lines, in file order,
//   spans not overlapping: a span starts at the content's start (or after
//   its byte-order mark) or after a line end, and ends after one or at the
//   content's end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "util/fatal_error.h"
#include "stations/list_syntax.h"
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
  dedup::RecordPlaces places;
  places.want_lines = true;
  places.want_spans = true;
  try {
    dedup::StationListReader::read_content(content, kName, dedup::FreeFormSyntax{}, table, places);
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
  const auto count = static_cast<std::size_t>(table.n);
  require(places.first_lines.size() == count && places.spans.size() == count);
  const std::size_t text_start = content.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  const auto after_line_end = [&](std::size_t at) {
    return at == text_start || (at > 0 && (content[at - 1] == '\n' || content[at - 1] == '\r'));
  };
  std::size_t previous_end = 0;
  for (std::size_t k = 0; k < count; ++k) {
    const dedup::RecordSpan span = places.spans[k];
    require(span.begin >= previous_end && span.begin < span.end && span.end <= size);
    require(after_line_end(span.begin) && (span.end == size || after_line_end(span.end)));
    require(k == 0 || places.first_lines[k] > places.first_lines[k - 1]);
    previous_end = span.end;
  }
  return 0;
}
