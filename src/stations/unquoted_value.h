#pragma once
// The end of an unquoted value of the station list: the next blank (space,
// tab), comma, slash or line end byte (line feed, carriage return). Shared by
// the value-by-value scanner and the one-pass reader of the common record.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dedup {

inline constexpr auto kEndsValue = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {' ', '\t', ',', '/', '\n', '\r'}) table[c] = true;
  return table;
}();

inline bool ends_value(char c) { return kEndsValue[static_cast<unsigned char>(c)]; }

// The first byte at or after `pos` in data[0, size) that ends a value, or
// `size`. `star` is set when the bytes before it hold a '*' (the value may
// be a repeat). Every byte that ends a value, and '*', lies below '0', so
// eight bytes are searched at once, as one little-endian word, while eight
// remain before `size`.
[[gnu::always_inline]] inline std::size_t unquoted_end(const char* data, std::size_t pos, std::size_t size,
                                                       bool& star) {
  static_assert(std::endian::native == std::endian::little);
  constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
  while (true) {
    if (pos + sizeof(std::uint64_t) <= size) {
      std::uint64_t word;
      std::memcpy(&word, data + pos, sizeof word);
      // The high bit of each byte below '0'. Bytes from 0x80 on are never
      // flagged; a borrow only runs upwards from a flagged byte, so the
      // lowest flag is exact.
      const std::uint64_t below = (word - kEachByte * '0') & ~word & (kEachByte * 0x80);
      if (below == 0) {
        pos += sizeof word;
        continue;
      }
      pos += static_cast<std::size_t>(std::countr_zero(below)) / 8;
    } else {
      while (pos < size && static_cast<unsigned char>(data[pos]) >= '0') ++pos;
      if (pos == size) break;
    }
    const char c = data[pos];
    if (ends_value(c)) break;
    star = star || c == '*';
    ++pos;
  }
  return pos;
}

}  // namespace dedup
