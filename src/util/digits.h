#pragma once
// Decimal digits for every room: the digit test, the powers of ten, and the
// SWAR ("SIMD within a register") helpers that treat a 64-bit word as eight
// bytes side by side, the first byte of the text lowest (little-endian loads).

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

namespace dedup {

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// 10^0 to 10^19, every power of ten that fits 64 bits.
inline constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// 10^0 to 10^22, every power of ten that a double holds exactly (5^22 < 2^53).
inline constexpr std::array<double, 23> kExactDoublePowersOfTen{
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

static_assert(std::endian::native == std::endian::little, "a word's lowest byte is its first");

// kEachByte * b holds the byte b in each of the eight bytes of a word.
inline constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;

namespace swar {

[[gnu::always_inline]] inline std::uint64_t load_word(const void* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// The high bit of each byte below `n` (at most 0x80): "a word has a byte
// less than n" from Sean Eron Anderson's Bit Twiddling Hacks. Bytes from 0x80
// on are never flagged; the lowest flag is exact (a borrow only runs upwards).
[[gnu::always_inline]] inline std::uint64_t bytes_below(std::uint64_t word, unsigned char n) {
  return (word - kEachByte * n) & ~word & (kEachByte * 0x80);
}

// The same for each byte equal to `byte`: those the exclusive or makes 0.
[[gnu::always_inline]] inline std::uint64_t bytes_equal(std::uint64_t word, char byte) {
  return bytes_below(word ^ (kEachByte * static_cast<unsigned char>(byte)), 1);
}

// Bit k set where byte k of `flags` has its high bit: the high bits gathered
// into the top byte by one multiplication, whose shifted copies never overlap
// (a vector movemask done in a general register).
[[gnu::always_inline]] inline std::uint32_t gathered_high_bits(std::uint64_t flags) {
  return static_cast<std::uint32_t>(((flags & (kEachByte * 0x80)) * 0x0002040810204081ULL) >> 56);
}

inline std::uint64_t below_digits(std::uint64_t word) { return bytes_below(word, '0'); }

// The digits at the start of `word`: how many (up to 8), and every byte less '0'.
struct Digits {
  int count;
  std::uint64_t values;
};

[[gnu::always_inline]] inline Digits leading_digits(std::uint64_t word) {
  // A digit byte becomes 0 to 9 and borrows nothing; the other bytes are
  // flagged by "a word has a byte greater than n" (n = 9) from the same Bit
  // Twiddling Hacks, so the lowest byte that is not a digit is flagged exactly.
  const std::uint64_t values = word - kEachByte * '0';
  const std::uint64_t not_digit = ((values + kEachByte * (0x80 - 10)) | values) & (kEachByte * 0x80);
  return {std::countr_zero(not_digit) / 8, values};
}

// The value of up to eight digits, combined pairwise into 2, 4 and 8 digits:
// the steps of parse_eight_digits_unrolled in Daniel Lemire's fast_float.
[[gnu::always_inline]] inline std::uint64_t eight_digit_value(const Digits& digits) {
  std::uint64_t v = digits.count == 0 ? 0 : digits.values << (8 * (8 - digits.count));
  v = v * 10 + (v >> 8);
  return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
}

// The same in half the steps for at most 4 digits.
[[gnu::always_inline]] inline std::uint64_t four_digit_value(const Digits& digits) {
  if (digits.count > 4) return eight_digit_value(digits);
  // Within 32 bits, where no digits (a shift by 32) leave 0.
  std::uint32_t v = static_cast<std::uint32_t>((digits.values & 0xFFFFFFFF) << (8 * (4 - digits.count)));
  v = v * 10 + (v >> 8);
  return ((v & 0x00FF00FF) * (1 + (100 << 16))) >> 16;
}

// The other way: the eight digits of n as byte values 0 to 9, the first
// lowest, split into halves, pairs and digits in all lanes at once, each by
// division by an invariant integer as a multiply and shift (Granlund and
// Montgomery, 1994; x * 10486 >> 20 is x / 100 below 10^4, y * 103 >> 10 is
// y / 10 below 100); lane x becomes q | (x - d * q) << s = (x << s) - q * ((d << s) - 1).
// REQUIRES: n < 10^8.
constexpr std::uint64_t eight_digit_values(std::uint32_t n) {
  assert(n < 100000000);
  const std::uint64_t halves = std::uint64_t{n / 10000};
  std::uint64_t lanes = (std::uint64_t{n} << 32) - halves * ((std::uint64_t{10000} << 32) - 1);
  const std::uint64_t hundreds = ((lanes * 10486) >> 20) & 0x0000007F0000007FULL;
  lanes = (lanes << 16) - hundreds * ((100 << 16) - 1);
  const std::uint64_t tens = ((lanes * 103) >> 10) & 0x000F000F000F000FULL;
  return (lanes << 8) - tens * ((10 << 8) - 1);
}

}  // namespace swar
}  // namespace dedup
