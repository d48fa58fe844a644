#include "stations/delimited_names.h"

#include <algorithm>
#include <cstddef>

#include "stations/delimited_rows.h"

namespace dedup {
namespace {

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

// The Latin-1 bytes of a UTF-8 text whose characters all lie below U+0100
// and which holds one at least from U+0080 on; "" for any other text.
std::string latin1_form(std::string_view utf8) {
  std::string out;
  bool wide = false;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    const unsigned char c = static_cast<unsigned char>(utf8[at]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const bool two_bytes = (c == 0xC2 || c == 0xC3) && at + 1 < utf8.size() &&
                           (static_cast<unsigned char>(utf8[at + 1]) & 0xC0) == 0x80;
    if (!two_bytes) return {};
    out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++at]) & 0x3F));
    wide = true;
  }
  return wide ? out : std::string{};
}

}  // namespace

std::string_view header_name(std::string_view field) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  field = without_blanks(field);
  if (field.starts_with(kByteOrderMark)) field = without_blanks(field.substr(kByteOrderMark.size()));
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = without_blanks(field.substr(1, field.size() - 2));
  }
  return field;
}

ColumnName::ColumnName(std::string_view typed) : typed_(header_name(typed)), latin1_(latin1_form(typed_)) {}

int ColumnName::find(const std::vector<std::string_view>& fields) const {
  for (const bool ignore_case : {false, true}) {
    int found = -1;
    int count = 0;
    for (std::size_t at = 0; at < fields.size(); ++at) {
      const auto same = [&](std::string_view name) {
        return !name.empty() && (ignore_case ? equal_ignoring_case(fields[at], name) : fields[at] == name);
      };
      if (same(typed_) || same(latin1_)) {
        found = static_cast<int>(at);
        ++count;
      }
    }
    if (count == 1) return found;
    if (count > 1) return -1;
  }
  return -1;
}

}  // namespace dedup
