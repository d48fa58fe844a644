#include "output/writers.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output/json_text.h"
#include "output/text_appender.h"
#include "output/text_pieces.h"
#include "screening/screen_log.h"
#include "stations/reason_code.h"

namespace dedup {
namespace {

bool has_place(const StationTable& table, std::int32_t slot) {
  return std::isfinite(table.lon[slot]) && std::isfinite(table.lat[slot]);
}

void append_point(TextAppender& out, const StationTable& table, std::span<const std::int64_t> first_lines,
                  std::int32_t slot) {
  if (has_place(table, slot)) {
    out.put("{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[", JsonNumber{table.lon[slot]},
            ",", JsonNumber{table.lat[slot]}, "]}");
  } else {
    out.put("{\"type\":\"Feature\",\"geometry\":null");
  }
  out.put(",\"properties\":{\"record\":", slot + 1, ",\"line\":", first_lines[static_cast<std::size_t>(slot)],
          ",\"id\":", JsonText{table.id[slot].trimmed()}, ",\"agency\":", JsonText{table.orgao[slot].trimmed()},
          ",\"precipitation\":", JsonNumber{table.prec[slot]});
  if (table.remove[slot] == 0) {
    out.put(",\"status\":\"kept\",\"reason\":");
  } else {
    out.put(",\"status\":\"removed\",\"reason\":");
  }
  out.put(JsonText{reason_text(table.reason[slot])}, "}}");
}

void append_link(TextAppender& out, const StationTable& table, const ScreenEvent& event) {
  if (has_place(table, event.first) && has_place(table, event.second)) {
    out.put("{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[[",
            JsonNumber{table.lon[event.first]}, ",", JsonNumber{table.lat[event.first]}, "],[",
            JsonNumber{table.lon[event.second]}, ",", JsonNumber{table.lat[event.second]}, "]]}");
  } else {
    out.put("{\"type\":\"Feature\",\"geometry\":null");
  }
  out.put(",\"properties\":{\"event\":\"", name_of(event.kind), "\",\"case\":");
  if (event.pair_case) {
    out.put(static_cast<int>(*event.pair_case));
  } else {
    out.put("null");
  }
  out.put(",\"first_record\":", event.first + 1, ",\"second_record\":", event.second + 1, ",\"distance\":",
          JsonNumber{event.distance}, ",\"removed\":\"", name_of(event.removed));
  if (event.same_prec) {
    out.put("\",\"same_precipitation\":true}}");
  } else {
    out.put("\",\"same_precipitation\":false}}");
  }
}

}  // namespace

void write_map(const StationTable& table, const std::vector<ScreenEvent>& events,
               std::span<const std::int64_t> first_lines, TextFile& file) {
  assert(first_lines.size() >= static_cast<std::size_t>(table.n));
  TextAppender out(file);
  out.put(kMapStart);
  std::string_view separator;
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    out.put(separator);
    append_point(out, table, first_lines, slot);
    separator = ",\n";
  }
  for (const ScreenEvent& event : events) {
    out.put(separator);
    append_link(out, table, event);
    separator = ",\n";
  }
  out.put(separator.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace dedup
