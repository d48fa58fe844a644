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
  // Every value the fixed-point way does not take: NaN, the infinities,
  // fields too narrow, more than 9 decimals, huge magnitudes.
  char* write_general(char* out, float value) const;
  char* write_aligned(char* out, std::string_view text) const;
  // The field of a value whose magnitude times 10^decimals rounds to
  // `scaled`; false, with the field's bytes undefined, when it does not fit.
  bool write_fixed(char* out, std::uint64_t scaled, bool negative) const;
  std::optional<std::uint64_t> scaled_integer(float magnitude) const;

  std::size_t width_;
  int decimals_;
};

}  // namespace dedup
