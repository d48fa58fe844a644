// Slips of the command line that would overwrite a user's file: each is
// refused before anything is read, and every file in the folder is left
// exactly as it was, with nothing added.

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

constexpr const char* kHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
constexpr const char* kAuditHeader =
    "event,case,first_record,first_line,first_id,second_record,second_line,second_id,distance,removed,"
    "first_reason,second_reason\n";

struct Slip {
  std::vector<std::string> args;
  std::string err;
};

TEST(Slips, NoSlipOverwritesAFileThatIsNotAnEarlierOutput) {
  ScratchFolder folder;
  folder.write("ana.txt", "A1 ANA -45.5 -23.25 12.3\nA1 ANA -45.5 -23.25 12.3\n");
  folder.write("funceme.txt", "F1 FUNCEME -39.2 -5.1 3.0\n");
  folder.write("isd.txt", "I1 ISD -40.0 -6.0 1.0\n");
  // What an earlier run left.
  folder.write("kept.txt", "A1  ANA    -45.500000    -23.250000     12.30\n");
  folder.write("removed.txt", std::string(kHeader) + "A1  ANA  -45.500000  -23.250000     12.30  Duplicata exata\n");
  folder.write("trail.csv", std::string(kAuditHeader) + "pair,4,1,1,A1,2,2,A1,0,second,,Duplicata exata\n");
  // Begins like a report, but its first line is another.
  folder.write("notes.txt", " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVOS\n");
  const std::string extra = ": an argument after the three file names; give exactly three, with any option before them\n";
  const std::string not_report = "; remove it or name another file\n";
  const Slip slips[] = {
      {{"funceme.txt", "isd.txt", "kept.txt", "removed.txt"}, "station-dedup: removed.txt" + extra + kUsage},
      {{"ana.txt", "kept.txt", "removed.txt", "--audit", "audit.csv"}, "station-dedup: --audit" + extra + kUsage},
      {{"--audit", "ana.txt", "kept.txt", "removed.txt", "audit.csv"},
       "station-dedup: ana.txt: exists and is not an audit file" + not_report},
      {{"ana.txt", "same.txt", "ana.txt"},
       "station-dedup: ana.txt: the removed-stations report would overwrite the station list ana.txt; name two "
       "different files\n"},
      {{"kept.txt", "removed.txt", "ana.txt"},
       "station-dedup: ana.txt: exists and is not a removed-stations report" + not_report},
      {{"ana.txt", "kept.txt", "notes.txt"},
       "station-dedup: notes.txt: exists and is not a removed-stations report" + not_report},
      {{"--audit", "removed.txt", "ana.txt", "kept.txt", "new.txt"},
       "station-dedup: removed.txt: exists and is not an audit file" + not_report},
  };
  const auto before = folder.contents();
  for (const Slip& slip : slips) {
    std::string line;
    for (const std::string& arg : slip.args) line += arg + " ";
    SCOPED_TRACE(line);
    const auto result = run_tool(folder.root(), slip.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, slip.err);
    EXPECT_EQ(folder.contents(), before);
  }
  // What it may replace: earlier outputs and empty files.
  folder.write("empty.csv", "");
  const auto rerun = run_tool(folder.root(), {"--audit", "empty.csv", "ana.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(rerun.status, 0) << rerun.err;
  EXPECT_EQ(folder.read("empty.csv"), folder.read("trail.csv"));
  const auto again = run_tool(folder.root(), {"--audit", "trail.csv", "ana.txt", "isd.txt", "removed.txt"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(folder.read("isd.txt"), folder.read("kept.txt"));
}

}  // namespace
}  // namespace dedup
