#pragma once
// Renders a float as a fixed-point field of `width` characters (1 or more)
// with `decimals` digits after the point (0 to 16; none and no point for 0),
// by the library's exact conversion: the digits are those of the exact
// stored value, correctly rounded with halfway cases to even. A negative
// value carries a minus sign, also -0.0 and one that rounds to zero; a
// magnitude below one has a single 0 before the point. The text is
// right-aligned with blanks; a text longer than the field becomes `width`
// asterisks. NaN is written NaN, the infinities Infinity and -Infinity, or
// Inf and -Inf where the long form does not fit: the spellings the station
// list reader accepts. This is the exact way every fixed-point field is
// checked against; the result files make the common fields faster inline
// (layout_field.h) and hand the rest here.

#include <cassert>
#include <cstddef>
#include <string_view>

namespace dedup {

class FieldRenderer {
 public:
  static constexpr int kMaxDecimals = 16;

  constexpr FieldRenderer(std::size_t width, int decimals) : width_(width), decimals_(decimals) {
    assert(width >= 1 && decimals >= 0 && decimals <= kMaxDecimals);
  }

  // Writes the field, exactly `width` characters, at `out`; returns its end.
  char* write(char* out, float value) const;

 private:
  char* write_aligned(char* out, std::string_view text) const;

  std::size_t width_;
  int decimals_;
};

}  // namespace dedup
