#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::ScratchFolder;
using testing::slurp;

const std::string kSource = STATION_DEDUP_SOURCE_DIR;

// The six reason texts, as the removed-stations report carries them.
constexpr const char* kReasons[] = {
    "IDs diferentes, local e precipitacao iguais",
    "IDs diferentes, locais iguais e precipitacao diferente",
    "Duplicata exata",
    "IDs iguais, locais iguais, precipitacao diferente",
    "Distancia menor que 2000m",
    "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m",
};

TEST(Example, ReproducesTheExpectedFilesByteForByte) {
  ScratchFolder folder;
  const auto result = run_tool(folder.root(), {kSource + "/examples/stations.txt", "kept.txt", "removed.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("kept.txt"), slurp(kSource + "/examples/expected/kept.txt"));
  EXPECT_EQ(folder.read("removed.txt"), slurp(kSource + "/examples/expected/removed.txt"));
}

// With --audit the same two files, and the audit file that the README
// shows in full, row by row.
TEST(Example, WritesTheAuditRowsTheReadmeShows) {
  ScratchFolder folder;
  const auto result =
      run_tool(folder.root(), {"--audit", "audit.csv", kSource + "/examples/stations.txt", "kept.txt", "removed.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("kept.txt"), slurp(kSource + "/examples/expected/kept.txt"));
  EXPECT_EQ(folder.read("removed.txt"), slurp(kSource + "/examples/expected/removed.txt"));
  const std::string audit = slurp(kSource + "/examples/expected/audit.csv");
  EXPECT_EQ(folder.read("audit.csv"), audit);
  std::string shown;
  for (std::size_t at = 0; at < audit.size();) {
    const std::size_t end = audit.find('\n', at) + 1;
    shown += "    " + audit.substr(at, end - at);
    at = end;
  }
  EXPECT_NE(slurp(kSource + "/README.md").find(shown), std::string::npos) << "the README shows:\n" << shown;
}

// With --map as well (the README's command), the same three files, and the
// map of the example.
TEST(Example, WritesTheExpectedMap) {
  ScratchFolder folder;
  const auto result = run_tool(folder.root(), {"--map", "map.geojson", "--audit", "audit.csv",
                                               kSource + "/examples/stations.txt", "kept.txt", "removed.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("kept.txt"), slurp(kSource + "/examples/expected/kept.txt"));
  EXPECT_EQ(folder.read("removed.txt"), slurp(kSource + "/examples/expected/removed.txt"));
  EXPECT_EQ(folder.read("audit.csv"), slurp(kSource + "/examples/expected/audit.csv"));
  EXPECT_EQ(folder.read("map.geojson"), slurp(kSource + "/examples/expected/map.geojson"));
}

TEST(Example, ShowsEveryReasonAndARemovalWithoutOne) {
  const std::string report = slurp(kSource + "/examples/expected/removed.txt");
  for (const char* reason : kReasons) {
    EXPECT_NE(report.find(std::string("  ") + reason + "\n"), std::string::npos) << reason;
  }
  // Case 8 and the purge leave a removed record without a reason: its line
  // ends with the two blanks before the empty reason.
  EXPECT_NE(report.find("  \n"), std::string::npos);
}

// The README's table quotes each reason in double quotes, and the manual's
// rules set each on an unfilled line of its own; copies of the report's
// lines elsewhere in them do not count.
TEST(Documentation, QuotesTheReasonsAndTheHeaderAsTheToolWritesThem) {
  const std::string report = slurp(kSource + "/examples/expected/removed.txt");
  const std::string header = report.substr(0, report.find('\n'));
  for (const auto& [name, before, after] : {std::tuple{"/README.md", "\"", "\""},
                                            std::tuple{"/doc/station-dedup.1", ".EX\n", "\n.EE"}}) {
    const std::string text = slurp(kSource + name);
    ASSERT_FALSE(text.empty()) << name;
    for (const char* reason : kReasons) {
      EXPECT_NE(text.find(before + std::string(reason) + after), std::string::npos) << name << ": " << reason;
    }
    EXPECT_NE(text.find(header), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace dedup
