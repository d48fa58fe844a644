#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "stations/number_text.h"

namespace dedup {
namespace {

std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

struct Accepted {
  const char* text;
  float value;
};

TEST(NumberText, AcceptsEveryWrittenForm) {
  const Accepted cases[] = {
      {"1", 1.0f},         {"1.", 1.0f},         {".5", 0.5f},        {"-3.25E1", -32.5f},
      {"2.5d0", 2.5f},     {"2.5D+1", 25.0f},    {"1.5+3", 1500.0f},  {"1.5-1", 0.15f},
      {"+7", 7.0f},        {"-0.5e-1", -0.05f},  {"12.3", 12.3f},     {"007", 7.0f},
      {"-45.500000", -45.5f}, {"1e0", 1.0f},     {"5.E2", 500.0f},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_number(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(bits(*parsed), bits(c.value)) << c.text;
  }
}

TEST(NumberText, SpecialWordsInAnyCase) {
  for (const char* text : {"Inf", "inf", "INFINITY", "+Infinity", "iNfInItY"}) {
    EXPECT_EQ(parse_number(text), std::numeric_limits<float>::infinity()) << text;
  }
  for (const char* text : {"-Inf", "-infinity"}) {
    EXPECT_EQ(parse_number(text), -std::numeric_limits<float>::infinity()) << text;
  }
  for (const char* text : {"NaN", "nan", "NAN"}) {
    const auto parsed = parse_number(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_TRUE(std::isnan(*parsed)) << text;
  }
}

TEST(NumberText, RejectsEverythingElse) {
  for (const char* text : {"", "-", "+", ".", "e5", "1e", "1e+", "1.5+", "1..2", "1.2.3", "LON", "12,5",
                           "1.5x", "0x10", "1 2", "--1", "1e5.0", "Infinit", "infinityy", "-NaN", "1;",
                           "1f", "1.5++3", " 1", "1 "}) {
    EXPECT_FALSE(parse_number(text).has_value()) << '"' << text << '"';
  }
}

TEST(NumberText, RoundsOnceStraightToTheNearestFloat) {
  // Slightly above the midpoint between 1 and the next float up: the true
  // value rounds up. Through double it would first become the midpoint
  // exactly and then round to even, giving 1.
  EXPECT_EQ(bits(*parse_number("1.000000059604644775390626")), bits(1.0f + 0x1p-23f));
  // Exactly the midpoint rounds to even.
  EXPECT_EQ(bits(*parse_number("1.000000059604644775390625")), bits(1.0f));
  EXPECT_EQ(bits(*parse_number("0.02")), bits(0.02f));
  EXPECT_EQ(bits(*parse_number("-145.123456")), bits(-145.123456f));
}

TEST(NumberText, OutOfRangeFollowsNearestRounding) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(parse_number("1e39"), inf);
  EXPECT_EQ(parse_number("-1e39"), -inf);
  EXPECT_EQ(parse_number("1+99999999999999999999"), inf);
  EXPECT_EQ(parse_number("3.40282350e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(parse_number("3.4028236e38"), inf);
  EXPECT_EQ(bits(*parse_number("1e-50")), bits(0.0f));
  EXPECT_EQ(bits(*parse_number("-1e-50")), bits(-0.0f));
  EXPECT_EQ(bits(*parse_number("0.0000001e-99999999999")), bits(0.0f));
  EXPECT_EQ(*parse_number("1e-45"), std::numeric_limits<float>::denorm_min());
  EXPECT_EQ(*parse_number("1e-40"), 1e-40f);
  EXPECT_EQ(bits(*parse_number("-0")), bits(-0.0f));
  EXPECT_EQ(*parse_number("0e999999999999"), 0.0f);
  EXPECT_EQ(*parse_number("0.000000000000000000000000000000000000000000000000001e51"), 1.0f);
}

TEST(NumberText, LongDigitStringsAreReadExactly) {
  EXPECT_EQ(*parse_number(std::string(5000, '0') + "12.5"), 12.5f);
  EXPECT_EQ(*parse_number("1." + std::string(5000, '0') + "1"), 1.0f);
}

// Short decimal texts take a quicker way than long ones; both must give the
// float that from_chars rounds the same text to.
TEST(NumberText, AgreesWithFromCharsOnRandomDecimals) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> length(1, 18);
  std::uniform_int_distribution<int> exponent(-50, 50);
  for (int round = 0; round < 200000; ++round) {
    std::string text = round % 2 ? "-" : "";
    const int before = length(random) % 9;
    for (int i = 0; i < before; ++i) text += static_cast<char>('0' + digit(random));
    text += '.';
    const int after = length(random);
    for (int i = 0; i < after; ++i) text += static_cast<char>('0' + digit(random));
    if (round % 3 == 0) {
      text += 'e';
      text += std::to_string(exponent(random));
    }
    float expected = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
    if (error != std::errc() || end != text.data() + text.size()) continue;
    const auto parsed = parse_number(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    ASSERT_EQ(bits(*parsed), bits(expected)) << text;
  }
}

// Plain decimals of up to 19 digits take the quickest way, unless their
// digits pass 2^53; at and around those limits they must still give the
// float from_chars gives. 1.909210264682769777 has 19 digits past 2^53 that
// a double would round twice, one float too low.
TEST(NumberText, PlainDecimalsAtTheQuickWaysLimitsAgreeWithFromChars) {
  for (const char* text : {"9007199254740992", "9007199254740993", "9007199254740995", "900719925474099.3",
                           "1234567890123456789", "12345678901234567890", ".1234567890123456789",
                           "1.909210264682769777", "-0.0000000000000000001", "0.00000000000000000001", "+5.", "-.5", "-0.000"}) {
    float expected = 0.0f;
    const std::string_view view(text[0] == '+' ? text + 1 : text);
    std::from_chars(view.data(), view.data() + view.size(), expected);
    const auto parsed = parse_number(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_EQ(bits(*parsed), bits(expected)) << text;
  }
}

TEST(NumberText, DecimalsNextToAMidpointBetweenFloatsRoundToTheNearerSide) {
  // 1 + 2^-24 lies halfway between 1 and the next float; 16777217 is that
  // midpoint scaled by 2^24. Texts just below, at and just above it.
  EXPECT_EQ(bits(*parse_number("16777216.999999")), bits(16777216.0f));
  EXPECT_EQ(bits(*parse_number("16777217")), bits(16777216.0f));
  EXPECT_EQ(bits(*parse_number("16777217.000001")), bits(16777218.0f));
  EXPECT_EQ(bits(*parse_number("16777219")), bits(16777220.0f));
  EXPECT_EQ(bits(*parse_number("1.6777217e7")), bits(16777216.0f));
}

}  // namespace
}  // namespace dedup
