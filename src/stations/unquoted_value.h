#pragma once
// The bytes of the station list that end an unquoted value: blanks (space,
// tab), comma, slash and the two line end bytes (line feed, carriage return).
// All of them, and '*', lie below '0', so that the end of a value can be
// searched for eight bytes at a time.

#include <array>
#include <bit>
#include <cstdint>

#include "util/digits.h"

namespace dedup {

inline constexpr auto kEndsValue = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {' ', '\t', ',', '/', '\n', '\r'}) table[c] = true;
  return table;
}();

inline bool ends_value(char c) { return kEndsValue[static_cast<unsigned char>(c)]; }

// The high bit of each byte below '0' in eight bytes of the text read as one
// little-endian word, the first byte lowest (a SWAR byte comparison). Bytes
// from 0x80 on are never flagged; a borrow only runs upwards from a flagged
// byte, so the lowest flag is exact (higher ones may not be).
inline std::uint64_t below_digits(std::uint64_t word) {
  static_assert(std::endian::native == std::endian::little);
  return (word - kEachByte * '0') & ~word & (kEachByte * 0x80);
}

}  // namespace dedup
