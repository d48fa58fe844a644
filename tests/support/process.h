#pragma once
// Runs the real station-dedup binary in a given folder with given arguments
// and collects its exit status, standard output and standard error.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace dedup::testing {

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Standard output goes to `stdout_path` when given (for example /dev/full).
inline ProcessResult run_tool(const std::string& folder, const std::vector<std::string>& args,
                              const std::string& stdout_path = "") {
  const std::string out_file = folder + "/.stdout";
  const std::string err_file = folder + "/.stderr";
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    const std::string out_target = stdout_path.empty() ? out_file : stdout_path;
    const int out = ::open(out_target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(127);
    std::vector<char*> argv;
    std::string program = STATION_DEDUP_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (auto& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int wait_status = 0;
  ::waitpid(child, &wait_status, 0);
  ProcessResult result;
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  if (stdout_path.empty()) result.out = slurp(out_file);
  result.err = slurp(err_file);
  ::unlink(out_file.c_str());
  ::unlink(err_file.c_str());
  return result;
}

}  // namespace dedup::testing
