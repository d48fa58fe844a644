#include "stations/list_messages.h"

#include <cstddef>
#include <cstdio>

#include "stations/station_table.h"

namespace dedup {

std::string shown_text(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (text.size() > kShown) out += "...";
  return out;
}

std::string too_many_records(std::int32_t capacity) {
  const std::string limit = std::to_string(capacity);
  return "more than " + limit + " records; the table holds at most " + limit +
         (capacity < kLargestCapacity ? " (--max-records N raises the limit)" : "");
}

}  // namespace dedup
