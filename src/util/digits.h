#pragma once
// Small tools on decimal digits shared by the whole program: the digit test
// and the powers of ten as integers and as doubles (eight digits at a time:
// swar_digits.h).

#include <array>
#include <cstdint>

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

}  // namespace dedup
