#pragma once
// The exact way to write a float as a fixed-point field: exactly `width` bytes,
// `decimals` digits after the point, correctly rounded by the library, returning
// its end (the rules for signs, overflow and NaN: src/README.md).

#include <cstddef>

namespace dedup {

inline constexpr int kMaxFieldDecimals = 16;

// REQUIRES: width >= 1, decimals from 0 to kMaxFieldDecimals; `out` holds width bytes.
char* render_field(char* out, float value, std::size_t width, int decimals);

}  // namespace dedup
