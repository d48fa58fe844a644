// Checks the number conversion of the station list against the C library's
// strtof, which rounds correctly from decimal text in the C locale:
// - a text that parse_number accepts, rewritten in strtof's notation (the
//   exponent letter D as E, an exponent given by its sign alone introduced by
//   E), converts to the same float, bit for bit (any NaN equals any NaN);
// - a text of digits, points, signs and E that strtof reads in full is
//   accepted by parse_number too;
// - the fast path for plain decimals, given the text as the record reader
//   lays it out (a blank and the slack after it), reads the whole text only
//   where parse_number accepts it, and to the same float.
// A difference or a sanitizer report is a finding.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "util/digits.h"
#include "stations/number_text.h"
#include "stations/plain_decimal.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// The accepted text in strtof's notation.
std::string as_strtof_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == 'd' || c == 'D') {
      out += 'e';
    } else if ((c == '+' || c == '-') && i > 0 && (dedup::is_digit(text[i - 1]) || text[i - 1] == '.')) {
      out += 'e';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

bool plain_form(std::string_view text) {
  for (const char c : text) {
    if (!dedup::is_digit(c) && c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E') return false;
  }
  return !text.empty();
}

bool same_float(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  std::uint32_t bits_a = 0;
  std::uint32_t bits_b = 0;
  std::memcpy(&bits_a, &a, sizeof a);
  std::memcpy(&bits_b, &b, sizeof b);
  return bits_a == bits_b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string_view::npos) return 0;  // strtof stops there
  const auto parsed = dedup::parse_number(text);
  if (parsed) {
    const std::string c_text = as_strtof_text(text);
    char* end = nullptr;
    const float expected = std::strtof(c_text.c_str(), &end);
    require(end == c_text.c_str() + c_text.size());
    require(same_float(*parsed, expected));
  } else if (plain_form(text)) {
    const std::string c_text(text);
    char* end = nullptr;
    std::strtof(c_text.c_str(), &end);
    require(end != c_text.c_str() + c_text.size());
  }
  std::string laid(text);
  laid.append(40, ' ');
  const char* p = laid.data();
  float fast = 0.0f;
  if (dedup::read_plain_decimal(p, laid.data() + laid.size() - 32, fast) && p == laid.data() + size) {
    require(parsed.has_value() && same_float(fast, *parsed));
  }
  return 0;
}
