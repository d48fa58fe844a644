#pragma once
// The eight decimal digits of an integer below 10^8, all made at once in the
// bytes of one word, for the fixed-point fields; words of blanks.

#include <cassert>
#include <cstdint>

#include "stations/digits.h"

namespace dedup {

inline constexpr std::uint64_t kBlanks = kEachByte * ' ';

// The eight decimal digits of n (below 10^8, leading zeros included) as
// byte values 0 to 9, the first digit in the lowest byte: n split into two
// halves of four digits, each into two pairs, each pair into two digits,
// all lanes at once. x * 10486 >> 20 is x / 100 for x below 10^4, y * 103
// >> 10 is y / 10 for y below 100. A lane x with quotient q by d becomes
// q | (x - d * q) << s, computed as (x << s) - q * ((d << s) - 1).
constexpr std::uint64_t eight_digit_values(std::uint32_t n) {
  assert(n < 100000000);
  const std::uint64_t halves = std::uint64_t{n / 10000};
  std::uint64_t lanes = (std::uint64_t{n} << 32) - halves * ((std::uint64_t{10000} << 32) - 1);
  const std::uint64_t hundreds = ((lanes * 10486) >> 20) & 0x0000007F0000007FULL;
  lanes = (lanes << 16) - hundreds * ((100 << 16) - 1);
  const std::uint64_t tens = ((lanes * 103) >> 10) & 0x000F000F000F000FULL;
  return (lanes << 8) - tens * ((10 << 8) - 1);
}

}  // namespace dedup
