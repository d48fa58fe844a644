#include "output/map_file.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output/json_text.h"
#include "output/text_pieces.h"
#include "screening/duplicate_screen.h"

namespace dedup {
namespace {

// Widest pieces: the fixed texts around the values, and the values.
constexpr std::size_t kFixedMax = 320;
constexpr std::size_t kPointMax =
    kFixedMax + 3 * kShortestFloatMax + 2 * kIntegerMax + 2 * json_text_max(kIdLength) + json_text_max(kReasonLength);
constexpr std::size_t kLineMax = kFixedMax + 5 * kShortestFloatMax + 3 * kIntegerMax;

bool has_place(const StationTable& table, std::int32_t slot) {
  return std::isfinite(table.lon[slot]) && std::isfinite(table.lat[slot]);
}

// [longitude,latitude] of a record.
char* put_position(char* out, const StationTable& table, std::int32_t slot) {
  *out++ = '[';
  out = put_json_number(out, table.lon[slot]);
  *out++ = ',';
  out = put_json_number(out, table.lat[slot]);
  *out++ = ']';
  return out;
}

char* put_point(char* out, const StationTable& table, std::span<const std::int64_t> first_lines,
                std::int32_t slot) {
  out = put(out, "{\"type\":\"Feature\",\"geometry\":");
  if (has_place(table, slot)) {
    out = put(out, "{\"type\":\"Point\",\"coordinates\":");
    out = put_position(out, table, slot);
    *out++ = '}';
  } else {
    out = put(out, "null");
  }
  out = put(out, ",\"properties\":{\"record\":");
  out = put_integer(out, slot + 1);
  out = put(out, ",\"line\":");
  out = put_integer(out, first_lines[static_cast<std::size_t>(slot)]);
  out = put(out, ",\"id\":");
  out = put_json_text(out, table.id[slot].trimmed());
  out = put(out, ",\"agency\":");
  out = put_json_text(out, table.orgao[slot].trimmed());
  out = put(out, ",\"precipitation\":");
  out = put_json_number(out, table.prec[slot]);
  out = put(out, table.remove[slot] == 0 ? ",\"status\":\"kept\",\"reason\":" : ",\"status\":\"removed\",\"reason\":");
  out = put_json_text(out, reason_text(table.reason[slot].code()));
  return put(out, "}}");
}

char* put_link(char* out, const StationTable& table, const ScreenEvent& event) {
  out = put(out, "{\"type\":\"Feature\",\"geometry\":");
  if (has_place(table, event.first) && has_place(table, event.second)) {
    out = put(out, "{\"type\":\"LineString\",\"coordinates\":[");
    out = put_position(out, table, event.first);
    *out++ = ',';
    out = put_position(out, table, event.second);
    out = put(out, "]}");
  } else {
    out = put(out, "null");
  }
  out = put(out, ",\"properties\":{\"event\":\"");
  out = put(out, kKindNames[static_cast<std::size_t>(event.kind)]);
  out = put(out, "\",\"case\":");
  out = event.pair_case == 0 ? put(out, "null") : put_integer(out, event.pair_case);
  out = put(out, ",\"first_record\":");
  out = put_integer(out, event.first + 1);
  out = put(out, ",\"second_record\":");
  out = put_integer(out, event.second + 1);
  out = put(out, ",\"distance\":");
  out = put_json_number(out, event.distance);
  out = put(out, ",\"removed\":\"");
  out = put(out, kRemovedNames[static_cast<std::size_t>(event.removed)]);
  out = put(out, event.same_prec ? "\",\"same_precipitation\":true}}" : "\",\"same_precipitation\":false}}");
  return out;
}

}  // namespace

void write_map(const StationTable& table, const std::vector<ScreenEvent>& events,
               std::span<const std::int64_t> first_lines, TextFile& file) {
  assert(first_lines.size() >= static_cast<std::size_t>(table.n));
  file.done(put(file.room(kMapStart.size()), kMapStart));
  std::string_view separator;
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    char* out = put(file.room(kPointMax), separator);
    file.done(put_point(out, table, first_lines, slot));
    separator = ",\n";
  }
  for (const ScreenEvent& event : events) {
    char* out = put(file.room(kLineMax), separator);
    file.done(put_link(out, table, event));
    separator = ",\n";
  }
  const std::string_view end = separator.empty() ? "]}\n" : "\n]}\n";
  file.done(put(file.room(end.size()), end));
}

}  // namespace dedup
