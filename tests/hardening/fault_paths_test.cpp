// Faults that no command line can cause, made with strace: a station list
// cut short by another program while it is read, and an old output that
// cannot be removed once the new ones are in place. Skipped where strace is
// missing or may not trace.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::kKept;
using testing::kList;
using testing::kRemoved;
using testing::kReportHeader;
using testing::ScratchFolder;

bool strace_traces() { return std::system("strace -qq -o /dev/null true >/dev/null 2>&1") == 0; }

// Runs a shell command in `folder`, its standard output and error kept in
// .out and .err there; returns its exit status.
int shell_in(const ScratchFolder& folder, const std::string& command) {
  const int status = std::system(("cd '" + folder.root().string() + "' && (" + command + ") >.out 2>.err").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> entries(const ScratchFolder& folder) {
  std::set<std::string> names = testing::entry_names(folder.root());
  names.erase(".out");
  names.erase(".err");
  return names;
}

const std::string kProgram = "'" STATION_DEDUP_BINARY "'";

// strace, with the leak check of a sanitizer build turned off (it cannot
// work in a traced process).
const std::string kStrace = "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" strace -qq ";

TEST(Faults, AListCutShortWhileItIsReadFailsAndChangesNothing) {
  if (!strace_traces()) GTEST_SKIP() << "strace is missing or may not trace here";
  ScratchFolder folder;
  std::string list;
  for (int k = 0; list.size() < 100000; ++k) {
    list.append("S").append(std::to_string(k)).append(" ANA -45.5 -23.25 ").append(std::to_string(k)).append("\n");
  }
  folder.write("t.txt", list);
  folder.write("k.txt", kKept);
  // Which mmap maps the list: the one of its size, read-only, from a file.
  ASSERT_EQ(shell_in(folder, kStrace + "-o trace -e trace=mmap " + kProgram + " t.txt t2.txt r.txt"), 0)
      << folder.read(".err");
  std::istringstream trace(folder.read("trace"));
  int occurrence = 0;
  int list_mapping = 0;
  const std::string mapping = ", " + std::to_string(list.size()) + ", PROT_READ, MAP_PRIVATE, ";
  for (std::string line; std::getline(trace, line);) {
    if (!line.starts_with("mmap(")) continue;
    ++occurrence;
    if (line.find(mapping) != std::string::npos) list_mapping = occurrence;
  }
  ASSERT_GT(list_mapping, 0) << folder.read("trace");
  for (const char* name : {"trace", "t2.txt", "r.txt"}) std::filesystem::remove(folder.path(name));
  // The mapping is made, then held back while the list is cut short.
  const int status = shell_in(folder, kStrace + "-o /dev/null -e trace=mmap -e inject=mmap:delay_exit=1000000:when=" +
                                          std::to_string(list_mapping) + " " + kProgram +
                                          " t.txt k.txt r.txt & sleep 0.4; truncate -s 1000 t.txt; wait $!");
  EXPECT_EQ(status, 2);
  EXPECT_EQ(folder.read(".out"), "");
  EXPECT_EQ(folder.read(".err"), "station-dedup: t.txt: the station list was cut short while it was read\n");
  EXPECT_EQ(folder.read("t.txt"), list.substr(0, 1000));
  EXPECT_EQ(folder.read("k.txt"), kKept);
  EXPECT_EQ(entries(folder), (std::set<std::string>{"t.txt", "k.txt"}));
}

TEST(Faults, AnOldOutputThatCannotBeRemovedIsNamed) {
  if (!strace_traces()) GTEST_SKIP() << "strace is missing or may not trace here";
  ScratchFolder folder;
  folder.write("list.txt", kList);
  folder.write("kept.txt", "old kept\n");
  folder.write("removed.txt", std::string(kReportHeader));
  const int status =
      shell_in(folder, kStrace + "-o /dev/null -e inject=unlink:error=EIO:when=1 " + kProgram +
                           " list.txt kept.txt removed.txt");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(folder.read(".out"), " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("kept.txt"), kKept);
  EXPECT_EQ(folder.read("removed.txt"), std::string(kReportHeader) + kRemoved);
  auto left = entries(folder);
  left.erase("list.txt");
  left.erase("kept.txt");
  left.erase("removed.txt");
  ASSERT_EQ(left.size(), 1u);
  const std::string old = *left.begin();
  EXPECT_TRUE(old.starts_with(".kept.txt.station-dedup-")) << old;
  EXPECT_EQ(folder.read(old), "old kept\n");
  EXPECT_EQ(folder.read(".err"), "station-dedup: kept.txt: replaced, but the earlier file is left as ./" + old +
                                     ", which cannot be removed: Input/output error; remove it yourself\n");
}

TEST(Faults, AFileThatAppearsAtANewOutputsNameIsHeldToTheSameRule) {
  if (!strace_traces()) GTEST_SKIP() << "strace is missing or may not trace here";
  ScratchFolder folder;
  folder.write("list.txt", kList);
  // The first rename is held back while another program writes notes.txt;
  // the kept file, already in place when the report meets it, goes again.
  const int status = shell_in(folder, kStrace + "-o /dev/null -e inject=renameat2:delay_enter=500000:when=1 " +
                                          kProgram + " list.txt kept.txt notes.txt & sleep 0.25; "
                                          "echo 'my notes' > notes.txt; wait $!");
  EXPECT_EQ(status, 2);
  EXPECT_EQ(folder.read(".err"),
            "station-dedup: notes.txt: exists and is not a removed-stations report; remove it or name another file\n");
  EXPECT_EQ(folder.read("notes.txt"), "my notes\n");
  EXPECT_EQ(entries(folder), (std::set<std::string>{"list.txt", "notes.txt"}));
}

}  // namespace
}  // namespace dedup
