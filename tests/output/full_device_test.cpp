// Runs the program with /dev/full as one of its outputs: the run must fail
// with status 2 and a diagnostic naming /dev/full, not report success, and
// leave the other output unwritten.

#include <gtest/gtest.h>

#include <string>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

class FullDevice : public ::testing::Test {
 protected:
  void SetUp() override { folder.write("stations.txt", "ST01 AG1 -45.5 -23.25 12.3\n"); }

  // Expects the run to fail on /dev/full, without a summary line.
  void expect_failure(const std::string& kept, const std::string& removed) const {
    const auto result = testing::run_tool(folder.root(), {"stations.txt", kept, removed});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("station-dedup: /dev/full: ", 0), 0u) << result.err;
  }

  testing::ScratchFolder folder;
};

TEST_F(FullDevice, KeptStationsFile) {
  expect_failure("/dev/full", "removed.txt");
  EXPECT_FALSE(folder.exists("removed.txt"));
}

TEST_F(FullDevice, ReportLeavesNoKeptStationsFile) {
  expect_failure("kept.txt", "/dev/full");
  EXPECT_FALSE(folder.exists("kept.txt"));
}

}  // namespace
}  // namespace dedup
