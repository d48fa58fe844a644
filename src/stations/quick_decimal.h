#pragma once
// (-)mantissa * 10^power as the nearest float, exact when the mantissa fits
// a double's 53 bits and the power of ten is exact: one correctly rounded
// double operation, then the rounding to float, which is the correct one
// unless the double fell exactly on a midpoint between two floats (the true
// value may lie on either side of it). Gives nothing where it cannot be sure.

#include <bit>
#include <cstdint>
#include <optional>

namespace dedup {

inline std::optional<float> convert_quickly(bool negative, std::uint64_t mantissa, std::int64_t power) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::int64_t kMaxPower = 22;
  constexpr std::uint64_t kExactInDouble = std::uint64_t{1} << 53;
  if (mantissa == 0) return negative ? -0.0f : 0.0f;
  if (mantissa > kExactInDouble || power < -kMaxPower || power > kMaxPower) return std::nullopt;

  // From 1 * 10^-22 to 2^53 * 10^22 (about 9e37): always within the normal
  // float range, so the rounding to float below neither overflows nor
  // underflows.
  const double scaled = power < 0 ? static_cast<double>(mantissa) / kPowers[-power]
                                  : static_cast<double>(mantissa) * kPowers[power];
  // A normal float keeps the top 24 of the double's 53 significant bits; the
  // double is a midpoint when the 29 bits below are exactly 1 followed by 0s.
  constexpr std::uint64_t kLowBits = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  if ((std::bit_cast<std::uint64_t>(scaled) & kLowBits) == kMidpoint) return std::nullopt;
  const float value = static_cast<float>(scaled);
  return negative ? -value : value;
}

}  // namespace dedup
