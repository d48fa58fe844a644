// How a station list's lines end: a last line without a line end, CRLF line
// ends (also on blank and continued lines, and after quoted or comma-separated
// values), carriage returns alone as spreadsheets save "CSV (Macintosh)", and
// a leading byte-order mark. The result files always end their lines in a
// single line feed.

#include <gtest/gtest.h>

#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::expect_written;
using testing::run_on_list;

constexpr const char* kKept =
    "A  AG      1.000000      2.000000      3.00\n"
    "B C  AG      4.000000      5.000000      6.00\n";
constexpr const char* kRemoved = "A  AG    1.000000    2.000000      3.00  Duplicata exata\n";

TEST(LineEnds, ALastLineWithoutLineEndCounts) {
  expect_written(run_on_list("A AG 1 2 3\n'B C' AG 4 5 6\nA AG 1 2 3"), kKept, kRemoved);
  expect_written(run_on_list("A AG 1 2 3\r\n'B C' AG 4 5 6\r\nA AG 1 2 3\r"), kKept, kRemoved);
}

TEST(LineEnds, CarriageReturnsAloneAndALeadingByteOrderMarkReadEveryRecord) {
  expect_written(run_on_list("A AG 1 2 3\r'B C' AG 4 5 6\rA AG 1 2 3\r"), kKept, kRemoved);
  expect_written(run_on_list("\xEF\xBB\xBF" "A,AG,1,2,3\r\n'B C',AG,4,5,6\r\nA,AG,1,2,3\r\n"), kKept, kRemoved);
}

TEST(LineEnds, CrlfListsGiveTheSameFilesAsLineFeedLists) {
  expect_written(run_on_list("A AG 1 2 3\n\n'B C',AG,4,5,6\nA AG\n1 2\n3\n"), kKept, kRemoved);
  expect_written(run_on_list("A AG 1 2 3\r\n\r\n'B C',AG,4,5,6\r\nA AG\r\n1 2\r\n3\r\n"), kKept, kRemoved);
  expect_written(run_on_list("A\tAG\t1\t2\t3 \t\r\n  \r\n'B C' , AG , 4 , 5 , 6\r\nA,AG,1,2,3,\r\n"), kKept,
                 kRemoved);
}

}  // namespace
}  // namespace dedup
