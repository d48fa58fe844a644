#pragma once
// The fast path of reading a number: the plain decimal that most lists hold
// (an optional sign, 1 to 8 digits, and a point followed by more digits, at
// most 19 digits in all, or no point), read in one pass with the SWAR digit
// technique (eight digit bytes checked and combined inside one 64-bit word)
// and converted by Clinger's fast path. It gives the float that
// parse_number, the exact general reader, gives for the same text; where
// Clinger's fast path cannot be sure it asks parse_number itself.

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "util/digits.h"
#include "stations/number_text.h"
#include "stations/quick_decimal.h"
#include "stations/unquoted_value.h"

namespace dedup {

// How far past the start of a number the words read for it reach.
inline constexpr std::size_t kPlainDecimalReach = 26;

namespace swar {

[[gnu::always_inline]] inline std::uint64_t load_word(const char* p) {
  static_assert(std::endian::native == std::endian::little);
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// The digits at the start of `word` (eight bytes of the text, the first in
// the lowest byte): how many there are before the first other byte, up to 8,
// and every byte less '0'.
struct Digits {
  int count;
  std::uint64_t values;
};

[[gnu::always_inline]] inline Digits leading_digits(std::uint64_t word) {
  // A digit byte becomes 0 to 9 and borrows nothing, so the lowest byte that
  // is not a digit is flagged exactly.
  const std::uint64_t values = word - kEachByte * '0';
  const std::uint64_t not_digit = ((values + kEachByte * (0x80 - 10)) | values) & (kEachByte * 0x80);
  return {std::countr_zero(not_digit) / 8, values};
}

// The value of up to eight digits: moved to the top bytes, zeros below them,
// then combined pairwise into 2, 4 and 8 digits by three multiplications.
[[gnu::always_inline]] inline std::uint64_t eight_digit_value(const Digits& digits) {
  std::uint64_t v = digits.count == 0 ? 0 : digits.values << (8 * (8 - digits.count));
  v = v * 10 + (v >> 8);
  return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
}

// The same in half the steps for at most 4 digits, the common integer part
// and the rest of a long fraction.
[[gnu::always_inline]] inline std::uint64_t four_digit_value(const Digits& digits) {
  if (digits.count > 4) return eight_digit_value(digits);
  // Within 32 bits, where no digits (a shift by 32) leave 0.
  std::uint32_t v = static_cast<std::uint32_t>((digits.values & 0xFFFFFFFF) << (8 * (4 - digits.count)));
  v = v * 10 + (v >> 8);
  return ((v & 0x00FF00FF) * (1 + (100 << 16))) >> 16;
}

}  // namespace swar

// Reads the plain decimal at `p`, which must end before `limit` at a byte
// that ends a value; `p` lies at or before `limit`, and kPlainDecimalReach
// bytes from `limit` on can be read. On success `p` is moved past the number.
// False, with `p` anywhere, for any other text.
[[gnu::always_inline]] inline bool read_plain_decimal(const char*& p, const char* limit, float& value) {
  assert(p <= limit);
  const char* const start = p;
  const bool negative = *p == '-';
  p += negative || *p == '+';
  const swar::Digits integer = swar::leading_digits(swar::load_word(p));
  if (integer.count == 0) return false;
  p += integer.count;
  std::uint64_t mantissa = swar::four_digit_value(integer);
  int fraction = 0;
  if (*p == '.') {
    ++p;
    const swar::Digits head = swar::leading_digits(swar::load_word(p));
    mantissa = mantissa * kPowersOfTen[head.count] + swar::eight_digit_value(head);
    fraction = head.count;
    if (head.count == 8) {
      // At most 19 digits in all, as 10^19 - 1 fits 64 bits.
      const swar::Digits tail = swar::leading_digits(swar::load_word(p + 8));
      if (integer.count + 8 + tail.count > 19) return false;
      mantissa = mantissa * kPowersOfTen[tail.count] + swar::four_digit_value(tail);
      fraction += tail.count;
    }
    p += fraction;
  }
  if (p >= limit || !ends_value(*p)) return false;
  auto converted = convert_quickly(negative, mantissa, -fraction);
  if (!converted) converted = parse_number({start, static_cast<std::size_t>(p - start)});
  if (!converted) return false;
  value = *converted;
  return true;
}

}  // namespace dedup
