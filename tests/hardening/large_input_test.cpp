// Station lists of unusual size: single lines of 10 MB, and a list that
// fills the table to its capacity.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::expect_read_failure;
using testing::expect_written;
using testing::run_on_list;

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

TEST(TenMegabyteLines, TheRestOfARecordsLineIsSkippedHoweverLong) {
  expect_written(run_on_list("A AG 1 2 3 " + std::string(kTenMegabytes, 'x') + "\nB AG 4 5 6\n"),
                 "A  AG      1.000000      2.000000      3.00\n"
                 "B  AG      4.000000      5.000000      6.00\n",
                 "");
  expect_written(run_on_list(std::string(kTenMegabytes, ' ') + "A AG 1 2 3\n"),
                 "A  AG      1.000000      2.000000      3.00\n", "");
}

TEST(TenMegabyteLines, TextsKeepTheirFirstFiftyCharacters) {
  const std::string quoted = "'" + std::string(kTenMegabytes, 'q') + "'";
  const std::string unquoted(kTenMegabytes, 'u');
  expect_written(run_on_list(quoted + " AG 1 2 3\nB " + unquoted + " 4 5 6\n"),
                 std::string(50, 'q') + "  AG      1.000000      2.000000      3.00\n" + "B  " +
                     std::string(50, 'u') + "      4.000000      5.000000      6.00\n",
                 "");
}

TEST(TenMegabyteLines, NumbersOfMillionsOfDigitsConvertOrFail) {
  const std::string ones(kTenMegabytes, '1');
  const std::string zeros(kTenMegabytes, '0');
  expect_written(run_on_list("A AG " + zeros + "12.5 0." + zeros + "1e" + std::to_string(kTenMegabytes) + " " +
                             ones + "\n"),
                 "A  AG     12.500000      0.100000  Infinity\n", "");
  expect_written(run_on_list("A AG 1 2 " + ones + "e-" + std::to_string(kTenMegabytes - 2) + "\n"),
                 "A  AG      1.000000      2.000000     11.11\n", "");
  expect_read_failure(run_on_list("A AG 1 2 " + ones + "x\n"),
                      "list.txt:1: precipitation \"" + std::string(40, '1') + "...\" is not a number");
}

}  // namespace
}  // namespace dedup
