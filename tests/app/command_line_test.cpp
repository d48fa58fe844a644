#include <gtest/gtest.h>

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

constexpr const char* kList = "A1 ANA -45.5 -23.25 12.3\nB2 INMET -46.0 -22.0 7.5\n";

TEST(CommandLine, FewerThanThreeNamesGiveTheUsageOnStandardError) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  for (const auto& args : {std::vector<std::string>{}, {"list.txt"}, {"list.txt", "kept.txt"}}) {
    const auto result = run_tool(folder.root(), args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, kUsage);
  }
  EXPECT_FALSE(folder.exists("kept.txt"));
}

TEST(CommandLine, HelpAndVersionAsTheOnlyArgumentGoToStandardOutput) {
  ScratchFolder folder;
  for (const char* flag : {"--help", "-h"}) {
    const auto result = run_tool(folder.root(), {flag});
    EXPECT_EQ(result.status, 0) << flag;
    EXPECT_EQ(result.out.rfind(kUsage, 0), 0u) << flag;
    EXPECT_EQ(result.err, "") << flag;
  }
  const auto version = run_tool(folder.root(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "station-dedup " STATION_DEDUP_VERSION "\n");
  EXPECT_EQ(run_tool(folder.root(), {"--help", "x"}).status, 2);
}

TEST(CommandLine, SummaryLineNamesBothFilesWithoutTrailingBlanks) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  const auto result = run_tool(folder.root(), {"list.txt  ", "kept.txt   ", "removed.txt "});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(folder.exists("kept.txt   "));
}

TEST(CommandLine, LeadingBlanksAndLongNamesAreUsedWhole) {
  ScratchFolder folder;
  const std::string long_name(230, 'k');
  folder.write(" list.txt", kList);
  const auto result = run_tool(folder.root(), {" list.txt", long_name, "removed.txt"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " " + long_name + "  e  removed.txt\n");
}

TEST(CommandLine, AFailingStandardOutputIsAFailureThatChangesNoFile) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  const auto result = run_tool(folder.root(), {"list.txt", "list.txt", "removed.txt"}, "/dev/full");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "station-dedup: cannot write the summary line to standard output\n");
  EXPECT_EQ(folder.read("list.txt"), kList);
  EXPECT_FALSE(folder.exists("removed.txt"));
}

TEST(CommandLine, PrecipitationGivenAsANumberTakesEitherMarkWhateverTheFileUses) {
  ScratchFolder folder;
  folder.write("comma.csv", "id;lon;lat\nA;1,5;2\n");
  folder.write("point.csv", "id;lon;lat\nA;1.5;2\n");
  const std::vector<std::string> columns{"--id", "id", "--lon", "lon", "--lat", "lat", "--prec"};
  for (const char* given : {"=0,5", "=0.5", "=5e-1"}) {
    for (const std::string decimal : {"comma", "point"}) {
      SCOPED_TRACE(given + (" --decimal " + decimal));
      std::vector<std::string> args = columns;
      args.insert(args.end(), {given, "--decimal", decimal, decimal + ".csv", "kept.txt", "removed.txt"});
      const auto result = run_tool(folder.root(), args);
      EXPECT_EQ(result.status, 0) << result.err;
      EXPECT_EQ(folder.read("kept.txt"), "A        1.500000      2.000000      0.50\n");
    }
  }
  for (const char* wrong : {"=x", "=", "=1,5,0", "=1.5,0", "=1,5.0"}) {
    std::vector<std::string> args = columns;
    args.insert(args.end(), {wrong, "missing.csv", "kept.txt", "removed.txt"});
    const auto result = run_tool(folder.root(), args);
    EXPECT_EQ(result.status, 2) << wrong;
    EXPECT_EQ(result.err, std::string("station-dedup: --prec =NUMBER takes a number\n") + kUsage) << wrong;
  }
}

}  // namespace
}  // namespace dedup
