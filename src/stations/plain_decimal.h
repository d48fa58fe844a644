#pragma once
// The fast path of reading a number: a plain decimal (sign, 1 to 8 digits,
// point, at most 19 digits in all) read eight digits at a time and converted
// by Clinger's fast path; the same float as parse_number, which it asks when unsure.

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "util/digits.h"
#include "stations/number_text.h"
#include "stations/quick_decimal.h"
#include "stations/unquoted_value.h"

namespace dedup {

// How far past the start of a number the words read for it reach.
inline constexpr std::size_t kPlainDecimalReach = 26;

// The parts of a plain decimal: (-)mantissa * 10^-fraction.
struct PlainDecimal {
  bool negative;
  std::uint64_t mantissa;
  int fraction;
};

// Reads the sign and digits of a plain decimal at `p` whose decimal mark is
// `mark` or `other_mark`, moving `p` past them; false, `p` anywhere, when no
// digit leads or there are more than 19. REQUIRES: kPlainDecimalReach readable.
[[gnu::always_inline]] inline bool read_plain_digits(const char*& p, char mark, char other_mark,
                                                     PlainDecimal& number) {
  number.negative = *p == '-';
  p += number.negative || *p == '+';
  const swar::Digits integer = swar::leading_digits(swar::load_word(p));
  if (integer.count == 0) return false;
  p += integer.count;
  number.mantissa = swar::four_digit_value(integer);
  number.fraction = 0;
  if (*p == mark || *p == other_mark) {
    ++p;
    const swar::Digits head = swar::leading_digits(swar::load_word(p));
    number.mantissa = number.mantissa * kPowersOfTen[head.count] + swar::eight_digit_value(head);
    number.fraction = head.count;
    if (head.count == 8) {
      // At most 19 digits in all, as 10^19 - 1 fits 64 bits.
      const swar::Digits tail = swar::leading_digits(swar::load_word(p + 8));
      if (integer.count + 8 + tail.count > 19) return false;
      number.mantissa = number.mantissa * kPowersOfTen[tail.count] + swar::four_digit_value(tail);
      number.fraction += tail.count;
    }
    p += number.fraction;
  }
  return true;
}

// Reads the plain decimal at `p`, ending before `limit` at a byte that ends a
// value, and moves `p` past it; false, `p` anywhere, for any other text.
// REQUIRES: `p` <= `limit`, and kPlainDecimalReach bytes from `limit` readable.
[[gnu::always_inline]] inline bool read_plain_decimal(const char*& p, const char* limit, float& value) {
  assert(p <= limit);
  const char* const start = p;
  PlainDecimal number;
  if (!read_plain_digits(p, '.', '.', number)) return false;
  if (p >= limit || !ends_value(*p)) return false;
  auto converted = convert_quickly(number.negative, number.mantissa, -number.fraction);
  if (!converted) converted = parse_number({start, static_cast<std::size_t>(p - start)});
  if (!converted) return false;
  value = *converted;
  return true;
}

}  // namespace dedup
