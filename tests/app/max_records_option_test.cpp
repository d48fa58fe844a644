#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_folder.h"
#include "support/usage_line.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::kUsage;
using testing::ScratchFolder;

constexpr const char* kList = "A1 ANA -45.5 -23.25 12.3\nB2 INMET -46.0 -22.0 7.5\nA1 ANA -45.5 -23.25 12.3\n";

TEST(MaxRecordsOption, BadValuesAreUsageErrorsThatTouchNoFile) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  const std::string range = "station-dedup: --max-records takes a whole number from 1 to 100000000\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
      {{"--max-records"}, "station-dedup: --max-records needs the number of records\n"},
      {{"--max-records", "5", "--audit", "a.csv", "--max-records", "5", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: --max-records is given twice\n"},
      {{"--max-records", "0", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "100000001", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "99999999999999999999999", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "-5", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "+5", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "5 ", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "1e5", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "0x10", "list.txt", "kept.txt", "removed.txt"}, range},
      {{"--max-records", "list.txt", "kept.txt", "removed.txt"}, range},
  };
  for (const auto& [args, err] : refusals) {
    SCOPED_TRACE(args.size() > 1 ? args[1] : args[0]);
    const auto result = run_tool(folder.root(), args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, err + kUsage);
    EXPECT_FALSE(folder.exists("kept.txt"));
    EXPECT_FALSE(folder.exists("removed.txt"));
    EXPECT_FALSE(folder.exists("a.csv"));
  }
}

TEST(MaxRecordsOption, TheTableHoldsExactlyNRecords) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  for (const char* count : {"3", "00000003", "100000000"}) {
    const auto result = run_tool(folder.root(), {"--max-records", count, "list.txt", "kept.txt", "removed.txt"});
    EXPECT_EQ(result.status, 0) << count << ": " << result.err;
    EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  }
  const std::string kept = folder.read("kept.txt");
  for (const auto& args : {std::vector<std::string>{"--max-records", "2", "--audit", "a.csv"},
                           std::vector<std::string>{"--audit", "a.csv", "--max-records", "2"}}) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"list.txt", "kept.txt", "removed.txt"});
    const auto result = run_tool(folder.root(), all);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err,
              "station-dedup: list.txt:3: more than 2 records; the table holds at most 2 (--max-records N raises "
              "the limit)\n");
    EXPECT_EQ(folder.read("kept.txt"), kept);
    EXPECT_FALSE(folder.exists("a.csv"));
  }
}

TEST(MaxRecordsOption, AListAboveTheDefaultCapacityRunsThrough) {
  ScratchFolder folder;
  std::string list;
  for (int k = 0; k < 30001; ++k) list += "S ANA 1 2 3\n";
  folder.write("list.txt", list);
  const auto refused = run_tool(folder.root(), {"list.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err,
            "station-dedup: list.txt:30001: more than 30000 records; the table holds at most 30000 (--max-records N "
            "raises the limit)\n");
  const auto result = run_tool(folder.root(), {"--max-records", "30001", "list.txt", "kept.txt", "removed.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(folder.read("kept.txt"), "S  ANA      1.000000      2.000000      3.00\n");
  const std::string removed = folder.read("removed.txt");
  EXPECT_EQ(std::count(removed.begin(), removed.end(), '\n'), 30001);
  EXPECT_TRUE(removed.ends_with("S  ANA    1.000000    2.000000      3.00  Duplicata exata\n"));
}

}  // namespace
}  // namespace dedup
