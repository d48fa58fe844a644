#include "output/writers.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "commit/text_file.h"
#include "output/text_appender.h"
#include "output/text_pieces.h"
#include "screening/screen_log.h"

namespace dedup {
namespace {

using dedup::put_piece;

// A float's shortest text; NaN and infinities spelled as the list reader reads them.
struct CsvFloat {
  float value;
};
constexpr std::size_t piece_most(CsvFloat) { return std::max(kShortestFloatMax, std::string_view("-Infinity").size()); }
char* put_piece(char* at, CsvFloat piece) {
  if (std::isnan(piece.value)) return put_piece(at, std::string_view("NaN"));
  if (std::isinf(piece.value)) return put_piece(at, std::string_view(piece.value > 0 ? "Infinity" : "-Infinity"));
  return put_piece(at, Shortest{piece.value});
}

// A text as RFC 4180 quotes it, when it holds a comma, a quote or a line break.
struct CsvText {
  std::string_view text;
};
std::size_t piece_most(CsvText piece) { return 2 * piece.text.size() + 2; }
char* put_piece(char* at, CsvText piece) {
  if (piece.text.find_first_of(",\"\r\n") == std::string_view::npos) return put_piece(at, piece.text);
  *at++ = '"';
  for (const char c : piece.text) {
    if (c == '"') *at++ = '"';
    *at++ = c;
  }
  *at++ = '"';
  return at;
}

}  // namespace

void write_audit(const StationTable& table, const std::vector<ScreenEvent>& events,
                 std::span<const std::int64_t> first_lines, TextFile& file) {
  assert(first_lines.size() >= static_cast<std::size_t>(table.n));
  TextAppender out(file);
  out.put(kAuditHeader);
  const auto line = [&](std::int32_t slot) { return first_lines[static_cast<std::size_t>(slot)]; };
  const auto id = [&](std::int32_t slot) { return CsvText{table.id[slot].trimmed()}; };
  for (const ScreenEvent& event : events) {
    out.put(name_of(event.kind), ",");
    if (event.pair_case) out.put(static_cast<int>(*event.pair_case));
    out.put(",", event.first + 1, ",", line(event.first), ",", id(event.first), ",", event.second + 1, ",",
            line(event.second), ",", id(event.second), ",", CsvFloat{event.distance}, ",", name_of(event.removed),
            ",", CsvText{event.first_reason}, ",", CsvText{event.second_reason}, "\n");
  }
}

}  // namespace dedup
