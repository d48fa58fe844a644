#pragma once
// render_field(out, value, width, decimals) writes a float at `out` as a
// fixed-point field of exactly `width` characters (1 or more) with
// `decimals` digits after the point (0 to kMaxFieldDecimals; none and no
// point for 0) and returns its end. It takes the library's exact
// conversion: the digits are those of the exact stored value, correctly
// rounded with halfway cases to even. A negative value carries a minus
// sign, also -0.0 and one that rounds to zero; a magnitude below one has a
// single 0 before the point. The text is right-aligned with blanks; a text
// longer than the field becomes `width` asterisks. NaN is written NaN, the
// infinities Infinity and -Infinity, or Inf and -Inf where the long form
// does not fit: the spellings the station list reader accepts. This is the
// exact way every fixed-point field is checked against; the result files
// make the common fields faster inline (layout_field.h) and hand the rest
// here.

#include <cstddef>

namespace dedup {

inline constexpr int kMaxFieldDecimals = 16;

char* render_field(char* out, float value, std::size_t width, int decimals);

}  // namespace dedup
