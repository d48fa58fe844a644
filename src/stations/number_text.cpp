#include "stations/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace dedup {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equals_ignoring_case(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (lower(text[i]) != word[i]) return false;
  }
  return true;
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

}  // namespace

std::optional<float> parse_number(std::string_view text) {
  if (auto special = parse_special(text)) return special;

  // Validate the form and rewrite it as from_chars reads it: no plus sign,
  // the exponent always introduced by 'e'.
  std::string plain;
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    if (negative) plain += '-';
    ++i;
  }
  std::size_t digits = 0;
  std::int64_t leading_int_digits = 0;  // integer digits after leading zeros
  std::int64_t fraction_zeros = 0;      // zeros right after the point
  bool seen_nonzero = false;
  while (i < text.size() && is_digit(text[i])) {
    seen_nonzero = seen_nonzero || text[i] != '0';
    if (seen_nonzero) ++leading_int_digits;
    plain += text[i++];
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    plain += text[i++];
    while (i < text.size() && is_digit(text[i])) {
      if (!seen_nonzero && text[i] == '0') ++fraction_zeros;
      seen_nonzero = seen_nonzero || text[i] != '0';
      plain += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;

  std::int64_t exponent = 0;
  if (i < text.size()) {
    const char c = lower(text[i]);
    if (c == 'e' || c == 'd') ++i;
    else if (c != '+' && c != '-') return std::nullopt;
    plain += 'e';
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      if (exponent_negative) plain += '-';
      ++i;
    }
    const std::size_t exponent_start = i;
    while (i < text.size() && is_digit(text[i])) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
      plain += text[i++];
    }
    if (i == exponent_start || i != text.size()) return std::nullopt;
    if (exponent_negative) exponent = -exponent;
  }

  float value = 0.0f;
  const auto [end, error] =
      std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Beyond the float range on one side or the other: the decimal order of
    // the leading digit tells which.
    const std::int64_t order =
        (leading_int_digits > 0 ? leading_int_digits : -fraction_zeros) + exponent;
    value = order > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    if (negative) value = -value;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace dedup
