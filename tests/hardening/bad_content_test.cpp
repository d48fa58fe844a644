// Station lists holding bytes no station list should hold: random binary
// data, NUL and other control or non-ASCII bytes, numbers beyond the float
// range.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::expect_written;
using testing::run_on_list;
using namespace std::string_literals;

// `size` bytes of a fixed pseudo-random sequence, each from `low` to 255.
std::string garbage(std::size_t size, int low, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(low, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(random));
  return bytes;
}

TEST(BinaryGarbage, FailsWithOnePrintableDiagnosticLineNamingFileAndLine) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    const auto run = run_on_list(garbage(16 * 1024, 0, seed));
    EXPECT_EQ(run.result.status, 2);
    EXPECT_EQ(run.result.out, "");
    const std::string& err = run.result.err;
    EXPECT_EQ(err.rfind("station-dedup: list.txt:", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.back(), '\n');
    EXPECT_TRUE(std::all_of(err.begin(), err.end() - 1, [](char c) { return c >= 0x20 && c < 0x7f; })) << err;
    EXPECT_FALSE(run.kept.has_value());
    EXPECT_FALSE(run.removed.has_value());
  }
}

TEST(BinaryGarbage, WithoutAnySeparatorIsOnePartialRecordAndNoStation) {
  // Bytes 128 to 255 hold no blank, comma, slash, quote or line end: the
  // whole file is one identifier, and the record it starts never completes.
  expect_written(run_on_list(garbage(64 * 1024, 128, 1)), "", "");
}

TEST(UnusualBytes, NulControlAndNonAsciiBytesInTextsAreWrittenUnchanged) {
  const std::string list = "A\0B \0AG\0 1 2 3\n"s +
                           "\xC3\xA7\xFF\x01 'a\tb' 4 5 6\n"
                           "\x7F \x1B[0m 7 8 9\n";
  expect_written(run_on_list(list),
                 "A\0B  \0AG\0      1.000000      2.000000      3.00\n"s +
                     "\xC3\xA7\xFF\x01  a\tb      4.000000      5.000000      6.00\n"
                     "\x7F  \x1B[0m      7.000000      8.000000      9.00\n",
                 "");
}

TEST(UnusualBytes, TheDiagnosticShowsABadNumberUnambiguously) {
  // A NUL byte, then a backslash and "x00" as written, then a quotation mark.
  testing::expect_failure_before_writing(run_on_list("A AG 1 2 \0\\x00\"q\n"s),
                               "list.txt:1: precipitation \"\\x00\\\\x00\\\"q\" is not a number");
}

TEST(OutOfRange, NumbersBeyondTheFloatRangeRunThroughAsInfinityOrZero) {
  // 1e39 and -1e39 exceed the float range and become the infinities; 1e-50
  // is below the smallest subnormal and becomes 0. The same identifier at two
  // infinite places compares equal there: a duplicate.
  expect_written(run_on_list("A AG 1e39 -1e39 1e-50\n"
                             "A AG 1E39 -1D39 -1e-50\n"
                             "B AG 3.4028235e38 1 3.5e38\n"),
                 "A  AG      Infinity     -Infinity      0.00\n"
                 "B  AG  ************      1.000000  Infinity\n",
                 "A  AG    Infinity   -Infinity     -0.00  Duplicata exata\n");
}

}  // namespace
}  // namespace dedup
