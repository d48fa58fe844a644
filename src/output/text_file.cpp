#include "output/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "stations/fatal_error.h"

namespace dedup {
namespace {

struct Closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void fail(const std::string& name, std::string_view step, std::string_view what,
                       int error) {
  throw FatalError(name + ": cannot " + std::string(step) + " the " + std::string(what) + ": " +
                   std::strerror(error));
}

}  // namespace

void write_text_file(const std::string& name, std::string_view what, std::string_view content) {
  std::unique_ptr<std::FILE, Closer> file(std::fopen(name.c_str(), "wb"));
  if (!file) fail(name, "create", what, errno);
  if (!content.empty() &&
      std::fwrite(content.data(), 1, content.size(), file.get()) != content.size()) {
    fail(name, "write", what, errno);
  }
  if (std::fflush(file.get()) != 0) fail(name, "write", what, errno);
  if (std::fclose(file.release()) != 0) fail(name, "close", what, errno);
}

}  // namespace dedup
