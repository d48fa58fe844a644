#include "output/audit_file.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output/text_pieces.h"
#include "screening/duplicate_screen.h"

namespace dedup {
namespace {

// Widest values: a text with every byte a quotation mark, doubled and
// quoted; a 64-bit line number; a float in its shortest exact form.
constexpr std::size_t kQuotedMax(std::size_t length) { return 2 * length + 2; }
constexpr std::size_t kAuditRowMax = std::string_view("review").size() + 1 + 2 * kIntegerMax + 2 * kIntegerMax +
                                     2 * kQuotedMax(kIdLength) + kShortestFloatMax + std::string_view("second").size() +
                                     2 * kQuotedMax(kReasonLength) + 11 + 1;

// The shortest text that reads back as the same float; NaN and the
// infinities spelled as the station list reader (and pandas) read them.
char* put_float(char* out, float value) {
  if (std::isnan(value)) return put(out, "NaN");
  if (std::isinf(value)) return put(out, value > 0 ? "Infinity" : "-Infinity");
  return put_shortest(out, value);
}

// A text field as RFC 4180 writes it: between quotation marks, each one
// inside doubled, when it holds a comma, a quotation mark or a line break;
// unchanged otherwise.
char* put_text(char* out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return put(out, text);
  *out++ = '"';
  for (const char c : text) {
    if (c == '"') *out++ = '"';
    *out++ = c;
  }
  *out++ = '"';
  return out;
}

// record number, line and identifier of one slot, comma-separated.
char* put_record(char* out, const StationTable& table, std::span<const std::int64_t> first_lines,
                 std::int32_t slot) {
  out = put_integer(out, slot + 1);
  *out++ = ',';
  out = put_integer(out, first_lines[static_cast<std::size_t>(slot)]);
  *out++ = ',';
  return put_text(out, table.id[slot].trimmed());
}

}  // namespace

void write_audit(const StationTable& table, const std::vector<ScreenEvent>& events,
                 std::span<const std::int64_t> first_lines, TextFile& file) {
  assert(first_lines.size() >= static_cast<std::size_t>(table.n));
  file.done(put(file.room(kAuditHeader.size()), kAuditHeader));
  for (const ScreenEvent& event : events) {
    char* out = put(file.room(kAuditRowMax), kKindNames[static_cast<std::size_t>(event.kind)]);
    *out++ = ',';
    if (event.pair_case != 0) out = put_integer(out, event.pair_case);
    *out++ = ',';
    out = put_record(out, table, first_lines, event.first);
    *out++ = ',';
    out = put_record(out, table, first_lines, event.second);
    *out++ = ',';
    out = put_float(out, event.distance);
    *out++ = ',';
    out = put(out, kRemovedNames[static_cast<std::size_t>(event.removed)]);
    *out++ = ',';
    out = put_text(out, event.first_reason);
    *out++ = ',';
    out = put_text(out, event.second_reason);
    *out++ = '\n';
    file.done(out);
  }
}

}  // namespace dedup
