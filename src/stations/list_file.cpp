#include "stations/list_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "stations/fatal_error.h"

namespace dedup {
namespace {

[[noreturn]] void fail(const std::string& name, const char* step, const std::string& reason) {
  throw FatalError(name + ": cannot " + step + " the station list: " + reason);
}

}  // namespace

ListFile::ListFile(const std::string& name) {
  const int descriptor = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) fail(name, "open", std::strerror(errno));
  struct stat status {};
  const bool sized = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0;
  if (sized) {
    const auto size = static_cast<std::size_t>(status.st_size);
    mapped_ = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (mapped_ == MAP_FAILED) {
      mapped_ = nullptr;
    } else {
      content_ = std::string_view(static_cast<const char*>(mapped_), size);
    }
  }
  try {
    if (mapped_ == nullptr) read_to_end(descriptor, name);
  } catch (...) {
    close(descriptor);
    throw;
  }
  if (close(descriptor) != 0) fail(name, "close", std::strerror(errno));
}

ListFile::~ListFile() {
  if (mapped_ != nullptr) munmap(mapped_, content_.size());
}

// Whatever the size says, reads until read() reports the end.
void ListFile::read_to_end(int descriptor, const std::string& name) {
  constexpr std::size_t kFirstRoom = std::size_t{1} << 16;
  std::size_t filled = 0;
  try {
    read_.resize(kFirstRoom);
    while (true) {
      if (filled == read_.size()) read_.resize(2 * read_.size());
      const ssize_t got = ::read(descriptor, read_.data() + filled, read_.size() - filled);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        fail(name, "read", std::strerror(errno));
      }
      filled += static_cast<std::size_t>(got);
    }
  } catch (const std::bad_alloc&) {
    fail(name, "read", "too large to hold in memory");
  } catch (const std::length_error&) {
    fail(name, "read", "too large to hold in memory");
  }
  content_ = std::string_view(read_.data(), filled);
}

}  // namespace dedup
