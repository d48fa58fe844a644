// Runs a command with its standard output discarded and prints what the
// kernel counted for it: minor page faults and peak resident memory, from
// getrusage of the child as wait4 returns it. The fewest of several runs is
// printed, so that one run disturbed by the machine does not count.
//
// Usage: child_usage RUNS COMMAND [ARGUMENT...]
// Prints: "<minor faults> <peak KiB>"; exit status 1 if any run failed.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: child_usage RUNS COMMAND [ARGUMENT...]\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  long faults = -1;
  long peak = -1;
  for (int run = 0; run < runs; ++run) {
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      if (null < 0 || dup2(null, STDOUT_FILENO) < 0) _exit(127);
      execv(argv[2], argv + 2);
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "child_usage: %s failed\n", argv[2]);
      return 1;
    }
    faults = faults < 0 ? usage.ru_minflt : std::min(faults, usage.ru_minflt);
    peak = peak < 0 ? usage.ru_maxrss : std::min(peak, usage.ru_maxrss);
  }
  std::printf("%ld %ld\n", faults, peak);
  return 0;
}
