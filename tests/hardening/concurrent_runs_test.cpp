// Two runs at once on different lists that name the same outputs, as
// overlapping scheduled jobs do: both succeed, and the kept file, the report
// and the audit file on disk always come from one of them, whether the
// outputs existed before or not.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::ScratchFolder;

// Starts the program in `folder` on `list`, its standard error in `err`.
pid_t start(const ScratchFolder& folder, const char* list, const char* err) {
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    const int error = ::open(folder.path(err).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::chdir(folder.root().c_str()) != 0 || null < 0 || error < 0 || ::dup2(null, 1) < 0 || ::dup2(error, 2) < 0) {
      ::_exit(127);
    }
    ::execl(STATION_DEDUP_BINARY, STATION_DEDUP_BINARY, "--audit", "audit.csv", list, "kept.txt", "removed.txt",
            nullptr);
    ::_exit(127);
  }
  return child;
}

int wait_for(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct Outputs {
  std::string kept, removed, audit;
  bool operator==(const Outputs&) const = default;
};

Outputs outputs_of(const ScratchFolder& folder) {
  return {folder.read("kept.txt"), folder.read("removed.txt"), folder.read("audit.csv")};
}

TEST(ConcurrentRuns, LeaveTheOutputsOfOneRun) {
  ScratchFolder folder;
  folder.write("a.txt", "A AG 1 2 3\nA AG 1 2 3\n");
  folder.write("b.txt", "B AG 4 5 6\nB AG 4 5 7\nC AG 8 9 1\n");
  ASSERT_EQ(wait_for(start(folder, "a.txt", "err")), 0);
  const Outputs from_a = outputs_of(folder);
  ASSERT_EQ(wait_for(start(folder, "b.txt", "err")), 0);
  const Outputs from_b = outputs_of(folder);
  ASSERT_NE(from_a.kept, from_b.kept);
  int mixed = 0;
  int failed = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  for (int pair = 0; std::chrono::steady_clock::now() < end; ++pair) {
    if (pair % 2 == 0) {
      // Half of the pairs find no output yet: both create them.
      for (const char* name : {"kept.txt", "removed.txt", "audit.csv"}) ::unlink(folder.path(name).c_str());
    }
    const pid_t a = start(folder, "a.txt", "err-a");
    const pid_t b = start(folder, "b.txt", "err-b");
    const int status_a = wait_for(a);
    const int status_b = wait_for(b);
    if (status_a != 0 || status_b != 0) {
      ADD_FAILURE() << "pair " << pair << ": exit " << status_a << " and " << status_b << "\n"
                    << folder.read("err-a") << folder.read("err-b");
      if (++failed == 3) break;
      continue;
    }
    const Outputs now = outputs_of(folder);
    if (now != from_a && now != from_b) ++mixed;
  }
  EXPECT_EQ(mixed, 0) << "of pairs";
}

}  // namespace
}  // namespace dedup
