#include "output/layout_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "output/field_agreement.h"
#include "output/field_renderer.h"

namespace dedup {
namespace {

using testing::fields_agree;

// The field the fast way writes, for the failure message.
template <std::size_t Width, int Decimals>
std::string fast_field(float value) {
  char field[2 + Width + kRunPast];
  return std::string(field, put_gap_and_field<Width, Decimals>(field, value));
}

// Every float from `count` bit patterns below `center` to `count` above it,
// both signs; false (and a failure) at the first that disagrees.
template <std::size_t Width, int Decimals>
bool agree_around(float center, std::uint32_t count) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(std::fabs(center));
  const std::uint32_t first = bits > count ? bits - count : 0;
  for (std::uint32_t magnitude = first; magnitude <= bits + count; ++magnitude) {
    for (const std::uint32_t sign : {0u, 0x80000000u}) {
      const float value = std::bit_cast<float>(magnitude | sign);
      if (!fields_agree<Width, Decimals>(value)) {
        ADD_FAILURE() << std::hexfloat << value << " in (" << Width << "," << Decimals << "): fast '"
                      << fast_field<Width, Decimals>(value) << "'";
        return false;
      }
    }
  }
  return true;
}

// A sweep of the places where the fast way could go wrong, in a few
// seconds (the exhaustive check over all 2^32 floats is field_exhaustive,
// run apart from the suite):
// - 4096 floats on each side of every power of ten from below the last
//   decimal to past the field, and of the point half a last decimal below
//   it, where rounding carries into one more digit (the count of leading
//   blanks, the eight-digit limit, the field's width and its sign);
// - every halfway case below the fast way's limit: the odd multiples of
//   2^-(Decimals + 1), whose scaled value ends in exactly one half;
// - zeros, the smallest floats, NaN and the infinities, and every float of
//   a stride through all bit patterns.
template <std::size_t Width, int Decimals>
void sweep() {
  const double last_decimal = std::pow(10.0, -Decimals);
  for (int exponent = -Decimals - 1; exponent <= static_cast<int>(Width); ++exponent) {
    const double power = std::pow(10.0, exponent);
    if (!agree_around<Width, Decimals>(static_cast<float>(power), 4096)) return;
    if (!agree_around<Width, Decimals>(static_cast<float>(power - last_decimal / 2), 4096)) return;
  }
  const double limit = std::pow(10.0, std::min(8, static_cast<int>(Width) - 1) - Decimals);
  const float step = std::ldexp(1.0f, -(Decimals + 1));
  for (float odd = step; odd < limit; odd += 2 * step) {
    if (!agree_around<Width, Decimals>(odd, 0)) return;
  }
  constexpr float kInf = std::numeric_limits<float>::infinity();
  for (const float value : {0.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
                            std::numeric_limits<float>::max(), kInf, std::numeric_limits<float>::quiet_NaN()}) {
    if (!agree_around<Width, Decimals>(value, 2)) return;
  }
  for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << 32); bits += 4093) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    ASSERT_TRUE((fields_agree<Width, Decimals>)(value)) << std::hexfloat << value;
  }
}

TEST(LayoutField, AgreesWithTheRendererAcrossEveryBoundary) {
  sweep<12, 6>();
  sweep<10, 6>();
  sweep<8, 2>();
}

TEST(LayoutField, WorkedFieldsOnBothSidesOfTheHandOver) {
  char field[32];
  EXPECT_EQ(std::string(field, put_gap_and_field<8, 2>(field, 99999.9921875f)), "  99999.99");
  EXPECT_EQ(std::string(field, put_gap_and_field<8, 2>(field, -9999.9951171875f)), "  ********");
  EXPECT_EQ(std::string(field, put_gap_and_field<10, 6>(field, -99.99999237060546875f)), "  -99.999992");
  EXPECT_EQ(std::string(field, put_gap_and_field<12, 6>(field, 100.0f)), "    100.000000");
  EXPECT_EQ(std::string(field, put_gap_and_field<12, 6>(field, -0.0f)), "     -0.000000");
  EXPECT_EQ(std::string(field, put_gap_and_field<12, 6>(field, 11.0078125f)), "     11.007812");
}

}  // namespace
}  // namespace dedup
