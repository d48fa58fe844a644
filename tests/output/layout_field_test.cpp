#include "output/layout_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "output/field_renderer.h"

namespace dedup {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

template <std::size_t Width, int Decimals>
void expect_as_renderer(float value) {
  char inline_way[32];
  char renderer[32];
  char* const end = put_gap_and_field<Width, Decimals>(inline_way, value);
  const std::string expected = "  " + std::string(renderer, FieldRenderer(Width, Decimals).write(renderer, value));
  ASSERT_EQ(std::string(inline_way, end), expected)
      << std::hexfloat << value << " in (" << Width << "," << Decimals << ")";
}

// The inline way takes scaled values up to eight digits that fit the field;
// the renderer takes over from the next one. Both sides of each limit, with
// their neighbouring floats, the halfway cases and a zero that keeps its
// sign must come out as the renderer writes them.
template <std::size_t Width, int Decimals>
void expect_around(float limit) {
  for (const float edge : {limit, -limit, 0.125f, 0.375f, 11.0078125f, -0.0f}) {
    float value = edge;
    for (int step = 0; step < 40; ++step) value = std::nextafter(value, -kInfinity);
    for (int step = 0; step < 80; ++step, value = std::nextafter(value, kInfinity)) {
      expect_as_renderer<Width, Decimals>(value);
    }
  }
}

TEST(LayoutField, HandsOverToTheRendererWhereEightDigitsOrTheFieldEnd) {
  expect_around<12, 6>(100.0f);
  expect_around<10, 6>(100.0f);
  expect_around<8, 2>(100000.0f);
  expect_around<8, 2>(10000.0f);
  char field[32];
  EXPECT_EQ(std::string(field, put_gap_and_field<8, 2>(field, 99999.9921875f)), "  99999.99");
  EXPECT_EQ(std::string(field, put_gap_and_field<8, 2>(field, -9999.9951171875f)), "  ********");
  EXPECT_EQ(std::string(field, put_gap_and_field<10, 6>(field, -99.99999237060546875f)), "  -99.999992");
  EXPECT_EQ(std::string(field, put_gap_and_field<12, 6>(field, 100.0f)), "    100.000000");
}

}  // namespace
}  // namespace dedup
