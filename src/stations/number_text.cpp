#include "stations/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "util/digits.h"
#include "stations/quick_decimal.h"

namespace dedup {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equals_ignoring_case(std::string_view text, std::string_view word) {
  return std::ranges::equal(text, word, [](char a, char b) { return lower(a) == b; });
}

std::optional<float> parse_special(std::string_view text) {
  if (equals_ignoring_case(text, "nan")) return std::numeric_limits<float>::quiet_NaN();
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (equals_ignoring_case(text, "inf") || equals_ignoring_case(text, "infinity")) {
    const float inf = std::numeric_limits<float>::infinity();
    return negative ? -inf : inf;
  }
  return std::nullopt;
}

// The parts of a numeric text that passed the syntax check.
struct NumberParts {
  bool negative = false;
  std::string_view integer;   // digits before the point
  std::string_view fraction;  // digits after the point
  std::string_view exponent;  // the exponent's sign, if any, and digits; empty when there is none
  std::int64_t power = 0;     // the exponent's value, growing no further once past 10^9 in size
  // The significant digits of integer and fraction as one integer, and their
  // count, which stops past kMaxQuickDigits (the mantissa then means nothing).
  std::uint64_t mantissa = 0;
  int significant = 0;
};

constexpr int kMaxQuickDigits = 15;

std::optional<NumberParts> split(std::string_view text) {
  NumberParts parts;
  const char* p = text.data();
  const char* const end = p + text.size();
  // Leading zeros leave the mantissa 0 and are not counted; past 19 digits it
  // wraps, but by then the count has passed the limit for good.
  const auto significant_digits = [&] {
    const char* const start = p;
    for (; p != end; ++p) {
      const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
      if (digit > 9) break;
      parts.mantissa = parts.mantissa * 10 + digit;
      if (parts.mantissa != 0 && parts.significant <= kMaxQuickDigits) ++parts.significant;
    }
    return std::string_view(start, static_cast<std::size_t>(p - start));
  };
  if (p != end && (*p == '+' || *p == '-')) parts.negative = *p++ == '-';
  parts.integer = significant_digits();
  if (p != end && *p == '.') {
    ++p;
    parts.fraction = significant_digits();
  }
  if (parts.integer.empty() && parts.fraction.empty()) return std::nullopt;
  if (p == end) return parts;

  const char c = lower(*p);
  if (c == 'e' || c == 'd') ++p;
  else if (c != '+' && c != '-') return std::nullopt;
  const char* const exponent = p;
  const bool exponent_negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const char* const digits = p;
  for (; p != end && is_digit(*p); ++p) {
    if (parts.power < 1'000'000'000) parts.power = parts.power * 10 + (*p - '0');
  }
  if (p == digits || p != end) return std::nullopt;
  if (exponent_negative) parts.power = -parts.power;
  parts.exponent = std::string_view(exponent, static_cast<std::size_t>(p - exponent));
  return parts;
}

// Any length of digits and exponent, rounded straight to float by from_chars.
std::optional<float> convert_exactly(const NumberParts& parts) {
  std::string plain;
  if (parts.negative) plain += '-';
  plain.append(parts.integer);
  plain += '.';
  plain.append(parts.fraction);
  if (!parts.exponent.empty()) {
    plain += 'e';  // the exponent keeps its sign: from_chars takes a plus sign there
    plain.append(parts.exponent);
  }
  float value = 0.0f;
  const auto [end, error] =
      std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Out of the float range: the leading digit's decimal order tells which side.
    const std::size_t first = parts.integer.find_first_not_of('0');
    const std::int64_t order =
        first != std::string_view::npos
            ? static_cast<std::int64_t>(parts.integer.size() - first)
            : -static_cast<std::int64_t>(std::min(parts.fraction.find_first_not_of('0'), parts.fraction.size()));
    value = order + parts.power > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    if (parts.negative) value = -value;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<float> parse_number(std::string_view text) {
  const std::optional<NumberParts> parts = split(text);
  if (!parts) return parse_special(text);
  if (parts->significant <= kMaxQuickDigits) {
    if (const auto quick = convert_quickly(parts->negative, parts->mantissa,
                                           parts->power - static_cast<std::int64_t>(parts->fraction.size()))) {
      return quick;
    }
  }
  return convert_exactly(*parts);
}

std::optional<float> parse_number_either_mark(std::string_view text) {
  std::string copy(text);
  if (const std::size_t comma = copy.find(','); comma != std::string::npos) {
    if (copy.find('.') != std::string::npos) return std::nullopt;
    copy[comma] = '.';
  }
  return parse_number(copy);
}

}  // namespace dedup
