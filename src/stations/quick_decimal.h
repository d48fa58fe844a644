#pragma once
// Clinger's fast path: (-)mantissa * 10^power as the nearest float by one
// double operation when both are exact in a double; nothing where it cannot
// be sure (the double on a midpoint between floats), and the caller converts exactly.

#include <bit>
#include <cstdint>
#include <optional>

#include "util/digits.h"

namespace dedup {

inline std::optional<float> convert_quickly(bool negative, std::uint64_t mantissa, std::int64_t power) {
  constexpr std::int64_t kMaxPower = kExactDoublePowersOfTen.size() - 1;
  constexpr std::uint64_t kExactInDouble = std::uint64_t{1} << 53;
  if (mantissa == 0) return negative ? -0.0f : 0.0f;
  if (mantissa > kExactInDouble || power < -kMaxPower || power > kMaxPower) return std::nullopt;

  // From 1 * 10^-22 to 2^53 * 10^22 (about 9e37): within the normal float
  // range, so the rounding to float neither overflows nor underflows.
  const double scaled = power < 0 ? static_cast<double>(mantissa) / kExactDoublePowersOfTen[-power]
                                  : static_cast<double>(mantissa) * kExactDoublePowersOfTen[power];
  // A normal float keeps the top 24 of the double's 53 significant bits; the
  // double is a midpoint when the 29 bits below are exactly 1 followed by 0s.
  constexpr std::uint64_t kLowBits = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  if ((std::bit_cast<std::uint64_t>(scaled) & kLowBits) == kMidpoint) return std::nullopt;
  const float value = static_cast<float>(scaled);
  return negative ? -value : value;
}

}  // namespace dedup
