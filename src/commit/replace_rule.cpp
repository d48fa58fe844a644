#include "commit/replace_rule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "util/fatal_error.h"

namespace dedup {
namespace {

std::string with_article(std::string_view what) {
  const bool vowel = !what.empty() && std::string_view("aeiou").find(what.front()) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(what);
}

}  // namespace

void check_may_replace(const std::string& path, std::string_view first_line, const std::string& name,
                       std::string_view what) {
  if (first_line.empty()) return;
  const auto unreadable = [&](int error) {
    throw FatalError(name + ": cannot read it to check that it is " + with_article(what) + ": " +
                     std::strerror(error));
  };
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor < 0) unreadable(errno);
  std::vector<char> start(first_line.size());
  std::size_t got = 0;
  struct stat status {};
  int error = 0;
  if (::fstat(descriptor, &status) != 0) {
    error = errno;
  } else if (S_ISREG(status.st_mode)) {  // anything else is not read, and passes as an empty file
    while (got < start.size()) {
      const ssize_t part = ::read(descriptor, start.data() + got, start.size() - got);
      if (part < 0 && errno == EINTR) continue;
      if (part < 0) error = errno;
      if (part <= 0) break;
      got += static_cast<std::size_t>(part);
    }
  }
  ::close(descriptor);
  if (error != 0) unreadable(error);
  if (got == 0) return;
  if (got < start.size() || std::string_view(start.data(), got) != first_line) {
    throw FatalError(name + ": exists and is not " + with_article(what) + "; remove it or name another file");
  }
}

}  // namespace dedup
