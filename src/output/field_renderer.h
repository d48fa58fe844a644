#pragma once
// Renders a float as a fixed-point field of `width` characters with `decimals`
// digits after the point (1 to 16). The digits are those of the exact stored
// value, correctly rounded with halfway cases to even. A negative value
// carries a minus sign, also -0.0 and one that rounds to zero; a magnitude
// below one has a single 0 before the point. The text is right-aligned with
// blanks; a text longer than the field becomes `width` asterisks. NaN is
// written NaN, the infinities Infinity and -Infinity, or Inf and -Inf where
// the long form does not fit: the spellings the station list reader accepts.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dedup {

class FieldRenderer {
 public:
  constexpr FieldRenderer(std::size_t width, int decimals) : width_(width), decimals_(decimals) {}

  // Writes the field, exactly `width` characters, at `out`; returns its end.
  char* write(char* out, float value) const;

 private:
  char* write_aligned(char* out, std::string_view text) const;
  // The digits of the magnitude, somewhere in [first, last) and never at
  // first - 1, which the sign may take; empty when they do not fit.
  std::string_view write_magnitude(char* first, char* last, float magnitude) const;
  std::optional<std::uint64_t> scaled_integer(float magnitude) const;

  std::size_t width_;
  int decimals_;
};

}  // namespace dedup
