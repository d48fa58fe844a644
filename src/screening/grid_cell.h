#pragma once
// The grid that finds near records without comparing every pair: square
// cells a little wider than kNearThreshold. A pair that the float distance
// finds near differs by less than kNearThreshold * 1.005 (0.0201) in each
// coordinate, the float steps' rounding included, so with cells wider than
// that (and the cell number computed in double) its records lie in the same
// or adjacent cells. Only finite coordinates have a cell.

#include <bit>
#include <cmath>
#include <cstdint>

#include "screening/pair_rule.h"

namespace dedup {

inline constexpr double kCellWidth = 0.025;
static_assert(static_cast<double>(kNearThreshold) * 1.005 < kCellWidth,
              "a near pair must never lie further apart than adjacent cells");

// From 2^24 on, distinct floats lie at least 1 apart, so such a coordinate is
// near only to an equal one.
inline constexpr float kHugeCoordinate = 16777216.0f;

// The grid column (or row) of a finite coordinate. Each huge value gets a
// cell of its own: beyond 2^40, four apart per float, so that neither another
// huge value nor an ordinary cell (below 2^30 in magnitude) is adjacent.
inline std::int64_t cell_of(float x) {
  if (std::fabs(x) < kHugeCoordinate) {
    // The floor without a library call: below 2^24 / kCellWidth in
    // magnitude, the quotient truncates to an exact integer, one too high
    // where it was negative with a fraction.
    const double quotient = static_cast<double>(x) / kCellWidth;
    const auto truncated = static_cast<std::int64_t>(quotient);
    return static_cast<double>(truncated) > quotient ? truncated - 1 : truncated;
  }
  const auto magnitude = static_cast<std::int64_t>(std::bit_cast<std::uint32_t>(x) & 0x7fffffffU);
  const std::int64_t own = (std::int64_t{1} << 40) + 4 * magnitude;
  return x < 0.0f ? -own : own;
}

}  // namespace dedup
