// Where the files of a run are: a station list that is a folder or a device,
// an output that is the station list itself, a working folder that no longer
// exists, and names longer than 200 characters.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::expect_failure_before_writing;
using testing::expect_written;
using testing::kKept;
using testing::kList;
using testing::kRemoved;
using testing::kReportHeader;
using testing::run_in;
using testing::run_tool;
using testing::summary_line;
using testing::ScratchFolder;


TEST(StationListPlaces, AFolderFailsBeforeAnyOutputAndDevNullIsAnEmptyList) {
  ScratchFolder folder;
  ASSERT_EQ(::mkdir(folder.path("sub").c_str(), 0755), 0);
  expect_failure_before_writing(run_in(folder, {"sub", "kept.txt", "removed.txt"}),
                                "sub: cannot read the station list: Is a directory");
  expect_written(run_in(folder, {"/dev/null", "kept.txt", "removed.txt"}), "", "");
}

TEST(InPlace, TheKeptFileMayOverwriteTheStationListItReadInFull) {
  for (const auto& [kept, removed] : {std::pair{"list.txt", "removed.txt"}, std::pair{"./list.txt", "removed.txt"}}) {
    SCOPED_TRACE(std::string(kept) + " " + removed);
    ScratchFolder folder;
    folder.write("list.txt", kList);
    const auto result = run_tool(folder.root(), {"list.txt", kept, removed});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, summary_line(kept, removed));
    EXPECT_EQ(folder.read(kept), kKept);
    EXPECT_EQ(folder.read(removed), std::string(kReportHeader) + kRemoved);
  }
}

TEST(OutputFailures, AFileWhereAnOutputsFolderShouldBeIsNamedAsAFile) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  expect_failure_before_writing(run_in(folder, {"list.txt", "list.txt/kept.txt", "removed.txt"}),
                                "list.txt/kept.txt: cannot write the kept-stations file: list.txt is not a folder");
  EXPECT_EQ(folder.read("list.txt"), kList);
}

TEST(OutputFailures, AWorkingFolderRemovedBeforeTheRunIsADiagnosticNotACrash) {
  // Relative output names then have no absolute form to compare.
  ScratchFolder folder;
  const std::string list = folder.write("list.txt", kList);
  const std::string gone = folder.path("gone");
  ASSERT_EQ(::mkdir(gone.c_str(), 0755), 0);
  const std::string command = "cd '" + gone + "' && rmdir '" + gone + "' && exec '" STATION_DEDUP_BINARY "' '" +
                              list + "' kept.txt removed.txt >'" + folder.path("out") + "' 2>'" +
                              folder.path("err") + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(folder.read("out"), "");
  EXPECT_EQ(folder.read("err"),
            "station-dedup: kept.txt: cannot create the kept-stations file in folder .: No such file or directory\n");
}

TEST(LongNames, AreUsedWholeAndNeverCutToTwoHundredCharacters) {
  ScratchFolder folder;
  const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
  ASSERT_EQ(::mkdir(folder.path(std::string(120, 'd')).c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(folder.path(deep).c_str(), 0755), 0);
  const std::string list = deep + "/list.txt";
  const std::string kept = deep + "/kept.txt";
  const std::string removed = std::string(230, 'r');
  folder.write(list, kList);
  folder.write(kept.substr(0, 200), "unrelated\n");
  folder.write(removed.substr(0, 200), "unrelated\n");
  const auto result = run_tool(folder.root(), {list, kept, removed});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, summary_line(kept, removed));
  EXPECT_EQ(folder.read(kept), kKept);
  EXPECT_EQ(folder.read(removed), std::string(kReportHeader) + kRemoved);
  EXPECT_EQ(folder.read(kept.substr(0, 200)), "unrelated\n");
  EXPECT_EQ(folder.read(removed.substr(0, 200)), "unrelated\n");
}

}  // namespace
}  // namespace dedup
