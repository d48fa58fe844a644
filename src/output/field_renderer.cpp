#include "output/field_renderer.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace dedup {
namespace {

// Sign, the 39 integer digits of the largest float, the point, 16 decimals.
constexpr std::size_t kTextCapacity = 64;

}  // namespace

void FieldRenderer::append(std::string& out, float value) const {
  if (std::isnan(value)) {
    append_aligned(out, "NaN");
  } else if (std::isinf(value)) {
    if (value > 0) {
      append_aligned(out, width_ >= 8 ? "Infinity" : "Inf");
    } else {
      append_aligned(out, width_ >= 9 ? "-Infinity" : "-Inf");
    }
  } else {
    // The sign is written apart from the digits of the magnitude, so that
    // -0.0 and negatives that round to zero keep it.
    char text[kTextCapacity];
    char* digits = text;
    if (std::signbit(value)) *digits++ = '-';
    const auto [end, error] = std::to_chars(digits, text + kTextCapacity, std::fabs(value),
                                            std::chars_format::fixed, decimals_);
    if (error != std::errc()) {
      out.append(width_, '*');  // longer than the buffer, so longer than any field
    } else {
      append_aligned(out, std::string_view(text, static_cast<std::size_t>(end - text)));
    }
  }
}

void FieldRenderer::append_aligned(std::string& out, std::string_view text) const {
  if (text.size() > width_) {
    out.append(width_, '*');
    return;
  }
  out.append(width_ - text.size(), ' ');
  out.append(text);
}

}  // namespace dedup
