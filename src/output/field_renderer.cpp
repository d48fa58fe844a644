#include "output/field_renderer.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace dedup {
namespace {

// Sign, the 39 integer digits of the largest float, the point, the decimals.
constexpr std::size_t kTextCapacity = 1 + 39 + 1 + kMaxFieldDecimals;

char* write_aligned(char* out, std::string_view text, std::size_t width) {
  if (text.size() > width) return std::fill_n(out, width, '*');
  out = std::fill_n(out, width - text.size(), ' ');
  return std::copy(text.begin(), text.end(), out);
}

}  // namespace

char* render_field(char* out, float value, std::size_t width, int decimals) {
  assert(width >= 1 && decimals >= 0 && decimals <= kMaxFieldDecimals);
  if (std::isnan(value)) return write_aligned(out, "NaN", width);
  if (std::isinf(value)) {
    if (value > 0) return write_aligned(out, width >= 8 ? "Infinity" : "Inf", width);
    return write_aligned(out, width >= 9 ? "-Infinity" : "-Inf", width);
  }
  // The sign goes apart from the magnitude's digits, into the buffer's first
  // byte, so that -0.0 and negatives that round to zero keep it.
  char text[kTextCapacity];
  char* const first = text + 1;
  const auto [end, error] =
      std::to_chars(first, text + kTextCapacity, std::fabs(value), std::chars_format::fixed, decimals);
  assert(error == std::errc());
  char* begin = first;
  if (std::signbit(value)) *--begin = '-';
  return write_aligned(out, std::string_view(begin, static_cast<std::size_t>(end - begin)), width);
}

}  // namespace dedup
