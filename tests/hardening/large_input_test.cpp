// Station lists of unusual size: single lines of 10 MB, and a list that
// fills the table to its capacity.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::expect_failure_before_writing;
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
  expect_failure_before_writing(run_on_list("A AG 1 2 " + ones + "x\n"),
                      "list.txt:1: precipitation \"" + std::string(40, '1') + "...\" is not a number");
}

TEST(Capacity, AFullTableRunsThroughAndEveryRecordLandsInOneFile) {
  // 29998 stations at places of their own, then copies of the first two.
  std::string list;
  for (int k = 1; k <= 29998; ++k) {
    list += 'S';
    list += std::to_string(k);
    list += " ANA ";
    list += std::to_string(k);
    list += " 2 3\n";
  }
  list += "S1 ANA 1 2 3\nS2 ANA 2 2 3\n";
  const auto run = run_on_list(list);
  ASSERT_EQ(run.result.status, 0) << run.result.err;
  EXPECT_EQ(run.removed, std::string(testing::kReportHeader) +
                             "S1  ANA    1.000000    2.000000      3.00  Duplicata exata\n"
                             "S2  ANA    2.000000    2.000000      3.00  Duplicata exata\n");
  ASSERT_TRUE(run.kept.has_value());
  const std::string& kept = *run.kept;
  std::size_t at = 0;
  for (int k = 1; k <= 29998 && at < kept.size(); ++k) {
    std::string start = "S";
    start += std::to_string(k);
    start += "  ANA  ";
    ASSERT_EQ(kept.compare(at, start.size(), start), 0) << "line " << k;
    at = kept.find('\n', at) + 1;
  }
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 29998);
  EXPECT_TRUE(kept.ends_with("S29998  ANA  29998.000000      2.000000      3.00\n"));
}

}  // namespace
}  // namespace dedup
