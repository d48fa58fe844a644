#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "util/digits.h"
#include "stations/plain_decimal_check.h"
#include "stations/unquoted_value.h"

// The fast path for plain decimals against the exact conversion, over its
// whole domain: exhaustively up to five digits, and in a sweep of every
// layout of the longer ones (tests/stations/plain_decimal_exhaustive.cpp
// goes through every text of up to eight digits, outside the suite).

namespace dedup {
namespace {

using testing::PlainDecimalCheck;

// Every text of `count` digits (leading zeros too) with the point after
// each of them or nowhere.
void check_every_text_of(int count, PlainDecimalCheck& check) {
  std::uint64_t end = 1;
  for (int i = 0; i < count; ++i) end *= 10;
  std::string digits(count, '0');
  for (std::uint64_t number = 0; number < end; ++number) {
    std::uint64_t rest = number;
    for (int i = count - 1; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
    for (int point = 1; point <= count + 1; ++point) {
      std::string text(digits, 0, static_cast<std::size_t>(point));
      if (point <= count) text.append(".").append(digits, static_cast<std::size_t>(point));
      const std::string wrong = check.differs(text);
      ASSERT_EQ(wrong, "") << text;
    }
  }
}

TEST(PlainDecimal, EveryTextOfUpToFiveDigits) {
  PlainDecimalCheck check;
  for (int count = 1; count <= 5; ++count) check_every_text_of(count, check);
}

// Each layout of its domain, 1 to 8 integer digits and 0 to 16 fraction
// digits with at most 19 in all, with and without a sign, with the digit
// patterns at the edges of the SWAR conversion (all nines, a lone digit in
// each place, zeros) and random ones.
TEST(PlainDecimal, EveryLayoutOfItsDomain) {
  PlainDecimalCheck check;
  std::mt19937_64 random(20261209);
  for (int integer = 1; integer <= 8; ++integer) {
    for (int fraction = -1; fraction <= 16 && integer + fraction <= 19; ++fraction) {
      const int count = integer + std::max(fraction, 0);
      const auto text_of = [&](const std::string& digits, const char* sign) {
        std::string text(sign);
        text.append(digits, 0, static_cast<std::size_t>(integer));
        if (fraction >= 0) text.append(".").append(digits, static_cast<std::size_t>(integer));
        return text;
      };
      std::vector<std::string> patterns = {std::string(count, '9'), std::string(count, '0')};
      for (int place = 0; place < count; ++place) {
        for (char digit = '1'; digit <= '9'; ++digit) {
          std::string lone(count, '0');
          lone[place] = digit;
          patterns.push_back(lone);
        }
      }
      for (int i = 0; i < 300; ++i) {
        std::string digits(count, '0');
        for (char& c : digits) c = static_cast<char>('0' + random() % 10);
        patterns.push_back(digits);
      }
      for (const std::string& digits : patterns) {
        for (const char* sign : {"", "-", "+"}) {
          const std::string text = text_of(digits, sign);
          ASSERT_EQ(check.differs(text), "") << text;
        }
      }
    }
  }
}

// Texts at and next to the midpoints between two floats, where one rounding
// through double may land on the midpoint and Clinger's fast path must
// decline; and mantissas next to 2^53, the largest a double holds exactly.
TEST(PlainDecimal, MidpointsBetweenFloatsAndMantissasPast53Bits) {
  PlainDecimalCheck check;
  std::mt19937 random(20261210);
  std::uniform_real_distribution<float> exponent(-6.0f, 7.9f);
  char text[64];
  for (int i = 0; i < 20000; ++i) {
    const float value = std::pow(10.0f, exponent(random));
    const double midpoint = (static_cast<double>(value) + std::nextafter(value, 2 * value)) / 2;
    const int integer = midpoint < 1 ? 1 : static_cast<int>(std::log10(midpoint)) + 1;
    for (int fraction = std::max(0, 12 - integer); fraction <= std::min(16, 19 - integer); ++fraction) {
      for (const double near : {std::nextafter(midpoint, 0.0), midpoint, std::nextafter(midpoint, 1e30)}) {
        std::snprintf(text, sizeof text, "%.*f", fraction, near);
        ASSERT_EQ(check.differs(text), "") << text;
      }
    }
  }
  for (const char* text : {"9007199.254740992", "9007199.254740993", "9007199.254740995", "9007199.254740991",
                           "1.9092102646827697", "18446744.07370955161", "9999999.999999999999"}) {
    EXPECT_EQ(check.differs(text), "") << text;
  }
}

// It reads a number up to a byte that ends a value and declines every other
// text: other forms of number, too many digits, and any other byte after it;
// the general reader takes those.
TEST(PlainDecimal, DeclinesWhatIsNotAPlainDecimalOfItsDomain) {
  PlainDecimalCheck check;
  for (int byte = 0; byte < 256; ++byte) {
    const char after = static_cast<char>(byte);
    if (is_digit(after) || after == '.') continue;  // more of the number
    for (const char* text : {"7", "-45.123456", "12345678.12345678901"}) {
      EXPECT_EQ(check.differs(text, after, ends_value(after)), "") << text << " before byte " << byte;
    }
  }
  for (const char* text : {".5", "-", "+", "", "123456789", "1.23456789012345678", "12345678.123456789012",
                           "1234.1234567890123456", "1e5", "1.5+3", "1.5d0", "--1", "1..2", "inf", "nan", "'1'"}) {
    EXPECT_EQ(check.differs(text, ' ', false), "") << text;
  }
}

// The movemask done by multiplication: for every set of flagged bytes, each
// flag lands on its own bit whatever the low bits of the bytes hold.
TEST(WordAtATime, GatheredHighBitsGiveOneBitPerFlaggedByte) {
  for (std::uint32_t flags = 0; flags < 256; ++flags) {
    for (const std::uint64_t low : {std::uint64_t{0}, kEachByte * 0x7F, std::uint64_t{0x0123456701234567}}) {
      std::uint64_t word = low;
      for (int k = 0; k < 8; ++k) {
        if ((flags >> k) & 1) word |= std::uint64_t{0x80} << (8 * k);
      }
      EXPECT_EQ(swar::gathered_high_bits(word), flags) << std::hex << word;
    }
  }
}

}  // namespace
}  // namespace dedup
