#include "output/field_renderer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <system_error>

namespace dedup {
namespace {

// Sign, the 39 integer digits of the largest float, the point, 16 decimals.
constexpr std::size_t kTextCapacity = 64;

// "00", "01", ... "99": two decimal digits per lookup.
constexpr auto kDigitPairsTable = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();
constexpr const char* kDigitPairs = kDigitPairsTable.data();

constexpr std::uint64_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                         100000, 1000000, 10000000, 100000000, 1000000000};

}  // namespace

char* FieldRenderer::write(char* out, float value) const {
  if (const auto scaled = scaled_integer(std::fabs(value))) {
    if (write_fixed(out, *scaled, std::signbit(value))) return out + width_;
  }
  return write_general(out, value);
}

char* FieldRenderer::write_general(char* out, float value) const {
  if (std::isnan(value)) return write_aligned(out, "NaN");
  if (std::isinf(value)) {
    if (value > 0) return write_aligned(out, width_ >= 8 ? "Infinity" : "Inf");
    return write_aligned(out, width_ >= 9 ? "-Infinity" : "-Inf");
  }
  // The sign is written apart from the digits of the magnitude, so that -0.0
  // and negatives that round to zero keep it. The first byte of the buffer is
  // left free for it.
  char text[kTextCapacity];
  char* const first = text + 1;
  const auto [end, error] =
      std::to_chars(first, text + kTextCapacity, std::fabs(value), std::chars_format::fixed, decimals_);
  if (error != std::errc()) return std::fill_n(out, width_, '*');  // longer than any field
  char* begin = first;
  if (std::signbit(value)) *--begin = '-';
  return write_aligned(out, std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

char* FieldRenderer::write_aligned(char* out, std::string_view text) const {
  if (text.size() > width_) return std::fill_n(out, width_, '*');
  out = std::fill_n(out, width_ - text.size(), ' ');
  return std::copy(text.begin(), text.end(), out);
}

bool FieldRenderer::write_fixed(char* out, std::uint64_t scaled, bool negative) const {
  const auto decimals = static_cast<std::size_t>(decimals_);
  if (width_ < decimals + 2) return false;
  // Blanks first, eight in one store where the field has room for them,
  // which covers every fitting text of the program's fields; then the text
  // right to left, straight into the field: the decimals two digits at a
  // time, the point, the integer digits (a single 0 below one), the sign.
  constexpr std::size_t kBlankStore = 8;
  char* blanked = out;
  if (width_ >= kBlankStore) blanked = std::copy_n("        ", kBlankStore, out);
  char* begin = out + width_;
  std::uint64_t rest = scaled;
  std::size_t left = decimals;
  for (; left >= 2; left -= 2) {
    begin -= 2;
    std::copy_n(kDigitPairs + 2 * (rest % 100), 2, begin);
    rest /= 100;
  }
  if (left == 1) {
    *--begin = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  *--begin = '.';
  do {
    if (begin == out) return false;
    *--begin = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (negative) {
    if (begin == out) return false;
    *--begin = '-';
  }
  if (begin > blanked) std::fill(blanked, begin, ' ');
  return true;
}

// The magnitude times 10^decimals, rounded to an integer with halfway cases
// to even, in exact integer arithmetic on the float's own bits: a finite
// float is m * 2^e with m below 2^24. Nothing where that does not fit in 64
// bits (values of 2^33 and more, far wider than any field), the decimals
// are outside 1..9 or the value is not finite; the general conversion takes
// those.
std::optional<std::uint64_t> FieldRenderer::scaled_integer(float magnitude) const {
  constexpr int kMaxQuickDecimals = 9;
  constexpr int kMaxLeftShift = 9;
  if (decimals_ < 1 || decimals_ > kMaxQuickDecimals) return std::nullopt;
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(magnitude);
  const int biased = static_cast<int>(bits >> 23);
  const std::uint64_t mantissa = biased == 0 ? (bits & 0x7fffff) : ((bits & 0x7fffff) | 0x800000);
  const int exponent = (biased == 0 ? 1 : biased) - 127 - 23;
  const std::uint64_t product = mantissa * kPowersOfTen[decimals_];
  if (exponent >= 0) {
    if (exponent > kMaxLeftShift) return std::nullopt;
    return product << exponent;
  }
  const int shift = -exponent;
  if (shift >= 64) return 0;  // product < 2^54: below one half
  const std::uint64_t quotient = product >> shift;
  const std::uint64_t remainder = product & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const bool round_up = remainder > half || (remainder == half && (quotient & 1) != 0);
  return quotient + (round_up ? 1 : 0);
}

}  // namespace dedup
