#include "output/field_renderer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace dedup {
namespace {

struct Rendering {
  float value;
  std::size_t width;
  int decimals;
  const char* expected;
};

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The field as written into a buffer with room to spare, which must hold
// exactly width characters.
std::string rendered(std::size_t width, int decimals, float value) {
  char buffer[64];
  const char* end = render_field(buffer, value, width, decimals);
  EXPECT_EQ(static_cast<std::size_t>(end - buffer), width);
  return std::string(static_cast<const char*>(buffer), end);
}

void expect_renderings(std::initializer_list<Rendering> cases) {
  for (const Rendering& c : cases) {
    EXPECT_EQ(rendered(c.width, c.decimals, c.value), c.expected)
        << "value " << c.value << " in (" << c.width << "," << c.decimals << ")";
  }
}

TEST(FieldRenderer, WorkedLinesAndRounding) {
  expect_renderings({
      {-45.5f, 12, 6, "  -45.500000"},
      {-23.25f, 12, 6, "  -23.250000"},
      {-45.5f, 10, 6, "-45.500000"},
      {12.3f, 8, 2, "   12.30"},
      {0.125f, 8, 2, "    0.12"},
      {0.375f, 8, 2, "    0.38"},
      {11.0078125f, 12, 6, "   11.007812"},  // halfway at the sixth decimal
      {-145.123456f, 12, 6, " -145.123459"},
      {-145.123456f, 10, 6, "**********"},
      {0.5f, 12, 6, "    0.500000"},
      {-0.5f, 8, 2, "   -0.50"},
      {0.0f, 8, 2, "    0.00"},
  });
}

TEST(FieldRenderer, NegativeValuesKeepTheirSignAtZero) {
  expect_renderings({
      {-0.004f, 8, 2, "   -0.00"},
      {-0.0f, 8, 2, "   -0.00"},
      {-0.0f, 12, 6, "   -0.000000"},
      {-0.0000004f, 10, 6, " -0.000000"},
  });
}

TEST(FieldRenderer, AsterisksBeginWhereTheTextOutgrowsTheField) {
  expect_renderings({
      {99999.9921875f, 12, 6, "99999.992188"},
      {100000.0f, 12, 6, "************"},
      {-9999.9990234375f, 12, 6, "-9999.999023"},
      {-10000.0f, 12, 6, "************"},
      {999.99993896484375f, 10, 6, "999.999939"},
      {1000.0f, 10, 6, "**********"},
      {-99.99999237060546875f, 10, 6, "-99.999992"},
      {-100.0f, 10, 6, "**********"},
      {99999.9921875f, 8, 2, "99999.99"},
      {100000.0f, 8, 2, "********"},
      {-9999.994140625f, 8, 2, "-9999.99"},
      {-9999.9951171875f, 8, 2, "********"},  // rounds to -10000.00
      {std::numeric_limits<float>::max(), 12, 6, "************"},
  });
}

TEST(FieldRenderer, NotANumberAndInfinities) {
  expect_renderings({
      {kNaN, 12, 6, "         NaN"},
      {kNaN, 10, 6, "       NaN"},
      {kNaN, 8, 2, "     NaN"},
      {-kNaN, 8, 2, "     NaN"},
      {kInf, 12, 6, "    Infinity"},
      {kInf, 10, 6, "  Infinity"},
      {kInf, 8, 2, "Infinity"},
      {-kInf, 12, 6, "   -Infinity"},
      {-kInf, 10, 6, " -Infinity"},
      {-kInf, 8, 2, "    -Inf"},
  });
}

TEST(FieldRenderer, ShortSpellingsInNarrowFields) {
  expect_renderings({
      {kInf, 7, 2, "    Inf"},
      {-kInf, 4, 0, "-Inf"},
      {-kInf, 3, 0, "***"},
      {kNaN, 2, 0, "**"},
  });
}

TEST(FieldRenderer, NoDecimalsAndTheMost) {
  expect_renderings({
      {2.5f, 4, 0, "   2"},  // halfway, to even
      {3.5f, 4, 0, "   4"},
      {-0.4f, 4, 0, "  -0"},
      {0.1f, 18, 16, "0.1000000014901161"},
      {-0.1f, 18, 16, "******************"},
  });
}

}  // namespace
}  // namespace dedup
