#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::ScratchFolder;

constexpr const char* kList = "A1 ANA -45.5 -23.25 12.3\nA1 ANA -45.5 -23.25 12.3\n";
constexpr const char* kUsage = "usage: station-dedup [--audit AUDIT_FILE] [--max-records N] [--] STATION_LIST KEPT_FILE REMOVED_REPORT\n";

struct Refusal {
  std::vector<std::string> args;
  std::string err;
};

TEST(AuditOption, MistakesAreRefusedBeforeAnyFileIsTouched) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  folder.write("kept.txt", "old kept\n");
  ASSERT_EQ(::link(folder.path("list.txt").c_str(), folder.path("alias.txt").c_str()), 0);
  const std::string same = "; name two different files\n";
  const Refusal refusals[] = {
      {{"--audit"}, "station-dedup: --audit needs the name of the audit file\n" + std::string(kUsage)},
      {{"--audit", "a.csv", "list.txt", "kept.txt"}, kUsage},
      {{"--audit", "a.csv", "--audit", "b.csv", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: --audit is given twice\n" + std::string(kUsage)},
      {{"--audit", " ", "list.txt", "kept.txt", "removed.txt"}, "station-dedup: the name of the audit file is empty\n"},
      {{"--audit", "kept.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: kept.txt: the audit file would overwrite the kept-stations file kept.txt" + same},
      {{"--audit", "./removed.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: ./removed.txt: the audit file would overwrite the removed-stations report removed.txt" + same},
      {{"--audit", "alias.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: alias.txt: the audit file would overwrite the station list list.txt" + same},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.args.front() + " " + refusal.args.back());
    const auto result = run_tool(folder.root(), refusal.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, refusal.err);
    EXPECT_EQ(folder.read("list.txt"), kList);
    EXPECT_EQ(folder.read("kept.txt"), "old kept\n");
    EXPECT_FALSE(folder.exists("removed.txt"));
    EXPECT_FALSE(folder.exists("a.csv"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
      EXPECT_EQ(entry.path().filename().string().find(".station-dedup-"), std::string::npos) << entry.path();
    }
  }
}

TEST(AuditOption, DoubleDashReachesAListNamedLikeAnOption) {
  ScratchFolder folder;
  folder.write("-x", kList);
  const auto plain = run_tool(folder.root(), {"--", "-x", "kept.txt", "removed.txt"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_FALSE(folder.exists("a.csv"));
  const auto audited = run_tool(folder.root(), {"--audit", "a.csv", "--", "-x", "kept.txt", "removed.txt"});
  EXPECT_EQ(audited.status, 0) << audited.err;
  EXPECT_EQ(audited.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("a.csv"),
            "event,case,first_record,first_line,first_id,second_record,second_line,second_id,distance,removed,"
            "first_reason,second_reason\n"
            "pair,4,1,1,A1,2,2,A1,0,second,,Duplicata exata\n");
}

}  // namespace
}  // namespace dedup
