#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::ScratchFolder;

constexpr const char* kOldKept = "old kept contents\n";
constexpr const char* kOldRemoved = "old report contents\n";

// Runs on a list that must fail before anything is written: exit 2, one
// diagnostic, no summary, and the earlier output files left exactly as they
// were (or not created).
void expect_fails_untouched(const std::string& list, const std::string& diagnostic) {
  ScratchFolder folder;
  folder.write("list.txt", list);
  folder.write("kept.txt", kOldKept);
  const auto result = run_tool(folder.root(), {"list.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "station-dedup: " + diagnostic + "\n");
  EXPECT_EQ(folder.read("kept.txt"), kOldKept);
  EXPECT_FALSE(folder.exists("removed.txt"));
}

TEST(ReadFailures, LeaveBothOutputsUntouched) {
  expect_fails_untouched("ID ORGAO LON LAT PREC\nA ANA 1 2 3\n", "list.txt:1: longitude \"LON\" is not a number");
  expect_fails_untouched("A ANA 1 2 3\nB ANA 1 'x\n",
                         "list.txt:2: quoted value still open at the end of the line (missing closing ')");
  std::string over;
  for (int i = 0; i <= 30000; ++i) over += "S ANA 1 2 3\n";
  expect_fails_untouched(over, "list.txt:30001: more than 30000 records; the table holds at most 30000 "
                                "(--max-records N raises the limit)");
}

TEST(ReadFailures, AnExportWithSemicolonsPointsToTheReadme) {
  const std::string hint =
      "; semicolons do not separate values here: read an export with --id, --lon, --lat and --prec (see "
      "\"Reading an export\" in the README)";
  expect_fails_untouched("\n\"ID\";\"ORGAO\";LON\n\"A\";\"ANA\";1;2;3\n",
                         "list.txt:2: text right after a closing \" (a quoted value must be followed by a blank, comma, "
                         "slash or line end)" + hint);
  expect_fails_untouched("A;ANA;-48,1;-2,5;3,2 Rio\n", "list.txt:1: longitude \"5;3\" is not a number" + hint);
  // Past the first record the message is the plain one.
  expect_fails_untouched("A ANA 1 2 3\nB;ANA;-48,1;-2,5;3,2 Rio\n", "list.txt:2: longitude \"5;3\" is not a number");
}

TEST(ReadFailures, AMissingListNamesTheFile) {
  ScratchFolder folder;
  const auto result = run_tool(folder.root(), {"absent.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "station-dedup: absent.txt: cannot open the station list: No such file or directory\n");
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(folder.exists("kept.txt"));
  EXPECT_FALSE(folder.exists("removed.txt"));
}

struct NameCase {
  std::vector<std::string> args;
  std::string diagnostic;
};

TEST(NameChecks, RefuseRunsThatCouldNotFinishBeforeTouchingAnyFile) {
  ScratchFolder folder;
  folder.write("list.txt", "A ANA 1 2 3\n");
  folder.write("kept.txt", kOldKept);
  folder.write("removed.txt", kOldRemoved);
  ASSERT_EQ(::link(folder.path("kept.txt").c_str(), folder.path("alias.txt").c_str()), 0);
  ASSERT_EQ(::mkdir(folder.path("sub").c_str(), 0755), 0);
  const NameCase cases[] = {
      {{"", "kept.txt", "removed.txt"}, "the name of the station list is empty"},
      {{"list.txt", "  ", "removed.txt"}, "the name of the kept-stations file is empty"},
      {{"list.txt", "kept.txt", ""}, "the name of the removed-stations report is empty"},
      {{"list.txt", "kept.txt", "kept.txt"},
       "kept.txt: the removed-stations report would overwrite the kept-stations file kept.txt; name two "
       "different files"},
      {{"list.txt", "kept.txt", "./sub/../kept.txt"},
       "./sub/../kept.txt: the removed-stations report would overwrite the kept-stations file kept.txt; name two "
       "different files"},
      {{"list.txt", "kept.txt", "alias.txt"},
       "alias.txt: the removed-stations report would overwrite the kept-stations file kept.txt; name two "
       "different files"},
      {{"list.txt", "new.txt", "./new.txt"},
       "./new.txt: the removed-stations report would overwrite the kept-stations file new.txt; name two "
       "different files"},
      {{"list.txt", "none/kept.txt", "removed.txt"},
       "none/kept.txt: cannot write the kept-stations file: folder none does not exist"},
      {{"list.txt", "kept.txt", "none/removed.txt"},
       "none/removed.txt: cannot write the removed-stations report: folder none does not exist"},
      {{"list.txt", "sub", "removed.txt"}, "sub: cannot write the kept-stations file: it is a folder"},
      {{"list.txt", "kept.txt", "sub/"}, "sub/: cannot write the removed-stations report: it is a folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.diagnostic);
    const auto result = run_tool(folder.root(), c.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "station-dedup: " + c.diagnostic + "\n");
    EXPECT_EQ(folder.read("kept.txt"), kOldKept);
    EXPECT_EQ(folder.read("removed.txt"), kOldRemoved);
    EXPECT_FALSE(folder.exists("new.txt"));
  }
}

}  // namespace
}  // namespace dedup
