#pragma once
// put_gap_and_field<Width, Decimals>(out, value): two blanks, then the bytes
// render_field writes, the common values made inline in two word stores; returns
// the field's end. Up to kRunPast bytes past it are scratch.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "output/field_renderer.h"
#include "commit/text_file.h"
#include "util/digits.h"

namespace dedup {

static_assert(std::endian::native == std::endian::little, "a word's lowest byte is stored first");

// The gap and the field by render_field: the values the inline way leaves.
[[gnu::noinline, gnu::cold]] inline char* put_gap_and_rendered(char* out, float value, std::size_t width,
                                                               int decimals) {
  out[0] = ' ';
  out[1] = ' ';
  return render_field(out + 2, value, width, decimals);
}

template <std::size_t Width, int Decimals>
[[gnu::always_inline]] inline char* put_gap_and_field(char* out, float value) {
  // The eight digits: integer digits, then decimals. The head (gap, blanks,
  // sign, integer digits) is built in one word, point and decimals in another.
  constexpr unsigned kIntegerDigits = 8 - Decimals;
  constexpr std::size_t kHead = 2 + Width - Decimals - 1;
  static_assert(Decimals >= 1 && Decimals <= 7 && kHead <= 8, "the head and the decimals each fit one word");
  static_assert(Width >= Decimals + 3, "-0 and its decimals fit the field");
  static_assert(8 <= 2 + Width + kRunPast && kHead + 8 <= 2 + Width + kRunPast,
                "both word stores end within kRunPast bytes past the field");
  // The inline way: at most eight digits, and a text that fits the field.
  constexpr std::uint64_t kPositiveLimit = std::min(kPowersOfTen[8], kPowersOfTen[Width - 1]);
  constexpr std::uint64_t kNegativeLimit = std::min(kPowersOfTen[8], kPowersOfTen[Width - 2]);
  // What the head adds to blanks, by sign and count of leading zeros.
  static constexpr auto kHeadSigns = [] {
    std::array<std::array<std::uint64_t, kIntegerDigits>, 2> adds{};
    for (unsigned zeros = 0; zeros < kIntegerDigits; ++zeros) {
      const unsigned first = 8 - kIntegerDigits + zeros;
      adds[0][zeros] = (kEachByte * ('0' - ' ')) << (8 * first);
      adds[1][zeros] = adds[0][zeros] + (std::uint64_t{'-' - ' '} << (8 * (first - 1)));
    }
    return adds;
  }();
  constexpr double kRoundingBias = 0x1p52;

  // The magnitude times 10^Decimals is exact in a double; adding 2^52 rounds
  // it to an integer, halfway cases to even, in the low bits. A product of
  // 2^52 or more, infinite or NaN leaves 2^52 or more there, above either limit.
  const double product = static_cast<double>(std::fabs(value)) * static_cast<double>(kPowersOfTen[Decimals]);
  const std::uint64_t scaled =
      std::bit_cast<std::uint64_t>(product + kRoundingBias) - std::bit_cast<std::uint64_t>(kRoundingBias);
  const std::uint32_t negative = std::bit_cast<std::uint32_t>(value) >> 31;
  if (scaled + negative * (kPositiveLimit - kNegativeLimit) >= kPositiveLimit) [[unlikely]] {
    return put_gap_and_rendered(out, value, Width, Decimals);
  }
  const std::uint64_t digits = swar::eight_digit_values(static_cast<std::uint32_t>(scaled));
  // Leading zeros (all but the last integer digit at most) become blanks and
  // the sign goes just before the first digit shown: to blanks are added
  // '0' - ' ' from that digit on and '-' - ' ' before it, by the zeros' count.
  const unsigned zeros =
      static_cast<unsigned>(std::countr_zero(digits | (std::uint64_t{1} << (8 * (kIntegerDigits - 1))))) / 8;
  const std::uint64_t head = (digits << (8 * (8 - kIntegerDigits))) + kEachByte * ' ' + kHeadSigns[negative][zeros];
  const std::uint64_t in_field = head >> (8 * (8 - kHead));
  const std::uint64_t fraction = ((digits >> (8 * kIntegerDigits)) << 8) + (kEachByte * '0' << 8) + '.';
  std::memcpy(out, &in_field, sizeof in_field);
  std::memcpy(out + kHead, &fraction, sizeof fraction);
  return out + 2 + Width;
}

}  // namespace dedup
