// Outputs are committed whole or not at all. Every run here replaces the
// station list by its kept stations (the riskiest use), and every failure or
// signal must leave the list byte for byte as it was, with no temporary file
// left beside it. Also: two spellings of one output are refused, a linked
// output stays a link, and /dev/stdout writes to the shell's file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "hardening/list_run.h"

namespace dedup {
namespace {

using testing::entry_names;
using testing::kKept;
using testing::kList;
using testing::kRemoved;
using testing::kReportHeader;
using testing::run_tool;
using testing::ScratchFolder;

// Mounts for the length of a test, where the system allows it (as root).
class Mount {
 public:
  Mount(const std::string& source, const std::string& target, const char* type, unsigned long flags,
        const char* options)
      : target_(target), mounted_(::mount(source.c_str(), target.c_str(), type, flags, options) == 0),
        error_(mounted_ ? "" : std::strerror(errno)) {}
  ~Mount() {
    if (mounted_) ::umount(target_.c_str());
  }
  Mount(const Mount&) = delete;
  Mount& operator=(const Mount&) = delete;
  bool mounted() const { return mounted_; }
  const std::string& error() const { return error_; }

 private:
  std::string target_;
  bool mounted_;
  std::string error_;
};

// Runs a shell command in `folder`; returns its exit status and keeps its
// standard error in `err`.
int shell_in(const ScratchFolder& folder, const std::string& command, std::string& err) {
  const std::string line = "cd '" + folder.root().string() + "' && " + command + " 2>.stderr";
  const int status = std::system(line.c_str());
  err = folder.read(".stderr");
  std::filesystem::remove(folder.path(".stderr"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FailedRuns, ChangeNoFileAndLeaveNoTemporary) {
  const std::string too_long(256, 'r');
  struct Case {
    std::string report;
    std::string diagnostic;
  };
  const Case cases[] = {
      {too_long, too_long + ": cannot write the removed-stations report: File name too long"},
      {"dangling.txt", "dangling.txt: cannot write the removed-stations report: folder none does not exist"},
      {"/dev/full", "/dev/full: cannot write the removed-stations report: No space left on device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    ScratchFolder folder;
    folder.write("list.txt", kList);
    ASSERT_EQ(::symlink("none/removed.txt", folder.path("dangling.txt").c_str()), 0);
    const auto result = run_tool(folder.root(), {"list.txt", "list.txt", c.report});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "station-dedup: " + c.diagnostic + "\n");
    EXPECT_EQ(folder.read("list.txt"), kList);
    EXPECT_EQ(entry_names(folder.root()), (std::set<std::string>{"list.txt", "dangling.txt"}));
  }
}

TEST(FailedRuns, AFileSizeLimitIsAWriteFailure) {
  ScratchFolder folder;
  std::string list;
  for (int k = 0; k < 400; ++k) {
    list.append("STATION").append(std::to_string(k)).append(" AGENCY 1 ").append(std::to_string(k)).append(" 3\n");
  }
  folder.write("list.txt", list);
  std::string err;
  // 8 blocks of 512 bytes: the list itself fits, its kept stations do not.
  const int status = shell_in(folder, "ulimit -f 8 && exec '" STATION_DEDUP_BINARY "' list.txt list.txt removed.txt", err);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(err, "station-dedup: list.txt: cannot write the kept-stations file: File too large\n");
  EXPECT_EQ(folder.read("list.txt"), list);
  EXPECT_EQ(entry_names(folder.root()), std::set<std::string>{"list.txt"});
}

TEST(FailedRuns, AFullFileSystemLeavesTheListWhole) {
  ScratchFolder folder;
  const std::string small = folder.path("small");
  ASSERT_EQ(::mkdir(small.c_str(), 0755), 0);
  const Mount tmpfs("tmpfs", small, "tmpfs", 0, "size=256k");
  if (!tmpfs.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << tmpfs.error();
  std::string list;
  for (int k = 0; list.size() < 150 * 1024; ++k) {
    list.append("S").append(std::to_string(k)).append(" AG 1 ").append(std::to_string(k)).append(" 3\n");
  }
  folder.write("small/list.txt", list);
  const auto result = run_tool(small, {"list.txt", "list.txt", "removed.txt"});
  const std::string left = folder.read("small/list.txt");
  const auto names = entry_names(small);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "station-dedup: list.txt: cannot write the kept-stations file: No space left on device\n");
  EXPECT_TRUE(left == list);
  EXPECT_EQ(names, std::set<std::string>{"list.txt"});
}

TEST(Signals, EndTheRunAsTheSignalWouldAndLeaveNoTemporary) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    ScratchFolder folder;
    folder.write("list.txt", kList);
    // Nobody reads the FIFO: the run waits there, its kept stations already
    // in a temporary beside the list.
    ASSERT_EQ(::mkfifo(folder.path("report").c_str(), 0644), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      if (::chdir(folder.root().c_str()) != 0) ::_exit(127);
      ::execl(STATION_DEDUP_BINARY, STATION_DEDUP_BINARY, "list.txt", "list.txt", "report", nullptr);
      ::_exit(127);
    }
    const auto waiting_for_temporary = [&] {
      for (const auto& name : entry_names(folder.root())) {
        if (name.starts_with(".list.txt.station-dedup-") && !folder.read(name).empty()) return false;
      }
      return true;
    };
    for (int tries = 0; tries < 500 && waiting_for_temporary(); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(waiting_for_temporary());
    ::kill(child, signal_number);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << status;
    EXPECT_EQ(folder.read("list.txt"), kList);
    EXPECT_EQ(entry_names(folder.root()), (std::set<std::string>{"list.txt", "report"}));
  }
}

TEST(SameFile, SpellingsOfOneOutputThroughLinksAndMountsAreRefused) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  ASSERT_EQ(::symlink("removed.txt", folder.path("kept.txt").c_str()), 0);
  ASSERT_EQ(::mkdir(folder.path("a").c_str(), 0755), 0);
  ASSERT_EQ(::symlink("a", folder.path("b").c_str()), 0);
  const auto refused = [&](const std::string& kept, const std::string& removed) {
    SCOPED_TRACE(kept + " " + removed);
    const auto result = run_tool(folder.root(), {"list.txt", kept, removed});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "station-dedup: " + removed + ": the removed-stations report would overwrite the " +
                              "kept-stations file " + kept + "; name two different files\n");
    EXPECT_FALSE(folder.exists("removed.txt"));
    EXPECT_FALSE(folder.exists("a/out.txt"));
  };
  refused("kept.txt", "removed.txt");
  refused("a/out.txt", "b/out.txt");
  ASSERT_EQ(::mkdir(folder.path("c").c_str(), 0755), 0);
  const Mount bind(folder.path("a"), folder.path("c"), nullptr, MS_BIND, nullptr);
  if (!bind.mounted()) GTEST_SKIP() << "cannot bind-mount a folder here (needs root): " << bind.error();
  refused("a/out.txt", "c/out.txt");
}

// Outputs that no rename may replace are refused before the list is read:
// the diagnostic is theirs, not that of the list's bad first line.
TEST(FailedRuns, AnOutputNoRenameMayReplaceIsRefusedBeforeReading) {
  struct Case {
    const char* attribute;
    const char* file;
    const char* kept;
    std::string diagnostic;
  };
  const std::string cannot = "r.txt: cannot write the removed-stations report: ";
  const Case cases[] = {
      {"+a", "r.txt", "k.txt", cannot + "it is append-only, so it cannot be replaced"},
      {"+i", "r.txt", "k.txt", cannot + "it is immutable, so it cannot be replaced"},
      {"+a", "sub", "sub/k.txt",
       "sub/k.txt: cannot write the kept-stations file: folder sub is append-only, so no file in it can be replaced"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.attribute) + " " + c.file);
    ScratchFolder folder;
    folder.write("list.txt", "ID ORGAO LON LAT PREC\n");
    folder.write("r.txt", std::string(kReportHeader));
    ASSERT_EQ(::mkdir(folder.path("sub").c_str(), 0755), 0);
    std::string err;
    if (shell_in(folder, std::string("chattr ") + c.attribute + " " + c.file, err) != 0) {
      GTEST_SKIP() << "cannot set file attributes here (needs root and a file system that keeps them): " << err;
    }
    const auto result = run_tool(folder.root(), {"list.txt", c.kept, "r.txt"});
    shell_in(folder, std::string("chattr -") + (c.attribute + 1) + " " + c.file, err);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "station-dedup: " + c.diagnostic + "\n");
    EXPECT_EQ(folder.read("r.txt"), kReportHeader);
    EXPECT_EQ(entry_names(folder.root()), (std::set<std::string>{"list.txt", "r.txt", "sub"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path("sub")));
  }
}

TEST(FailedRuns, AReportOfAnotherUserInAStickyFolderIsRefusedBeforeReading) {
  // In a sticky folder nobody but its owner may rename onto root's report.
  ScratchFolder folder;
  const std::string sticky = folder.path("sticky");
  ASSERT_EQ(::chmod(folder.root().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(sticky.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(sticky.c_str(), 01777), 0);
  folder.write("sticky/list.txt", kList);
  folder.write("sticky/removed.txt", std::string(kReportHeader));
  ASSERT_EQ(::chmod(folder.path("sticky/removed.txt").c_str(), 0666), 0);
  constexpr uid_t kNobody = 65534;
  if (::geteuid() != 0 || ::chown(folder.path("sticky/list.txt").c_str(), kNobody, kNobody) != 0) {
    GTEST_SKIP() << "needs root, to run the program as another user";
  }
  // A copy of the program that the other user can reach, wherever the build is.
  const std::string program = folder.path("station-dedup");
  std::filesystem::copy_file(STATION_DEDUP_BINARY, program);
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  const std::string err = folder.path("err");
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    const int error = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::chdir(sticky.c_str()) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(127);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(error, STDERR_FILENO);
    ::execl(program.c_str(), program.c_str(), "list.txt", "list.txt", "removed.txt", nullptr);
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_EQ(folder.read("err"),
            "station-dedup: removed.txt: cannot write the removed-stations report: it belongs to another user in the "
            "sticky folder ., so it cannot be replaced\n");
  EXPECT_EQ(folder.read("sticky/list.txt"), kList);
  EXPECT_EQ(folder.read("sticky/removed.txt"), kReportHeader);
  EXPECT_EQ(entry_names(sticky), (std::set<std::string>{"list.txt", "removed.txt"}));
}

TEST(Targets, AFileMountedOntoTheOutputsNameIsWrittenInPlace) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  folder.write("removed.txt", "a longer earlier report that the new one must not leave a tail of\n");
  folder.write("source.txt", "");
  const Mount bind(folder.path("source.txt"), folder.path("removed.txt"), nullptr, MS_BIND, nullptr);
  if (!bind.mounted()) GTEST_SKIP() << "cannot bind-mount a file here (needs root): " << bind.error();
  const auto result = run_tool(folder.root(), {"list.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(folder.read("source.txt"), std::string(kReportHeader) + kRemoved);
}

TEST(Targets, ALinkedOutputStaysALinkAndKeepsItsMode) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  ASSERT_EQ(::mkdir(folder.path("data").c_str(), 0755), 0);
  folder.write("data/kept.txt", "old\n");
  ASSERT_EQ(::chmod(folder.path("data/kept.txt").c_str(), 0640), 0);
  ASSERT_EQ(::symlink("data/kept.txt", folder.path("kept.txt").c_str()), 0);
  const auto result = run_tool(folder.root(), {"list.txt", "kept.txt", "removed.txt"});
  EXPECT_EQ(result.status, 0) << result.err;
  struct stat link {}, data {};
  ASSERT_EQ(::lstat(folder.path("kept.txt").c_str(), &link), 0);
  ASSERT_EQ(::stat(folder.path("data/kept.txt").c_str(), &data), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_EQ(data.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.read("data/kept.txt"), kKept);
  EXPECT_EQ(entry_names(folder.path("data")), std::set<std::string>{"kept.txt"});
}

TEST(Targets, DevStdoutWritesToTheShellsFileWithoutTruncatingIt) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  folder.write("run.log", "earlier line\n");
  std::string err;
  const int status =
      shell_in(folder, "'" STATION_DEDUP_BINARY "' list.txt /dev/stdout removed.txt >> run.log", err);
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(folder.read("run.log"), std::string("earlier line\n") + kKept + " /dev/stdout  e  removed.txt\n");
  EXPECT_EQ(folder.read("removed.txt"), std::string(kReportHeader) + kRemoved);
}

}  // namespace
}  // namespace dedup
