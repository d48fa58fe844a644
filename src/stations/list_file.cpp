#include "stations/list_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "util/fatal_error.h"

namespace dedup {
namespace {

[[noreturn]] void fail(const std::string& name, const char* step, const std::string& reason) {
  throw FatalError(name + ": cannot " + step + " the station list: " + reason);
}

// The mapped list (one at a time), the SIGBUS action before, and a touch past its end.
std::atomic<std::uintptr_t> mapped_begin{0};
std::atomic<std::uintptr_t> mapped_end{0};
struct sigaction before_mapping {};
volatile sig_atomic_t cut_short = 0;

// A touch past the end of the shrunk file: the rest of the mapping becomes
// zeros, and reading goes on. Any other SIGBUS goes to the action before.
extern "C" void on_bus_error(int, siginfo_t* info, void*) {
  const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
  const std::uintptr_t end = mapped_end.load();
  if (at >= mapped_begin.load() && at < end) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = at & ~(page - 1);
    const std::size_t size = (end - from + page - 1) & ~(page - 1);
    if (::mmap(reinterpret_cast<void*>(from), size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
        MAP_FAILED) {
      cut_short = 1;
      return;
    }
  }
  ::sigaction(SIGBUS, &before_mapping, nullptr);
}

}  // namespace

ListFile::ListFile(const std::string& name) : name_(name) {
  const int descriptor = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) fail(name, "open", std::strerror(errno));
  struct stat status {};
  const bool sized = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0;
  if (sized) {
    const auto size = static_cast<std::size_t>(status.st_size);
    struct sigaction action {};
    action.sa_sigaction = on_bus_error;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGBUS, &action, &before_mapping) == 0) {
      mapped_ = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
      if (mapped_ == MAP_FAILED) {
        mapped_ = nullptr;
        sigaction(SIGBUS, &before_mapping, nullptr);
      } else {
        content_ = std::string_view(static_cast<const char*>(mapped_), size);
        cut_short = 0;
        mapped_begin.store(reinterpret_cast<std::uintptr_t>(mapped_));
        mapped_end.store(reinterpret_cast<std::uintptr_t>(mapped_) + size);
        descriptor_ = descriptor;
        return;
      }
    }
  }
  try {
    read_to_end(descriptor);
  } catch (...) {
    close(descriptor);
    throw;
  }
  if (close(descriptor) != 0) fail(name, "close", std::strerror(errno));
}

ListFile::~ListFile() {
  if (mapped_ == nullptr) return;
  mapped_begin.store(0);
  mapped_end.store(0);
  sigaction(SIGBUS, &before_mapping, nullptr);
  munmap(mapped_, content_.size());
  if (descriptor_ >= 0) close(descriptor_);
}

void ListFile::check_whole() {
  if (descriptor_ < 0) return;
  // A file cut short within the page of its last byte gives no SIGBUS: its
  // size tells.
  struct stat status {};
  const bool shrunk = cut_short != 0 || (fstat(descriptor_, &status) == 0 &&
                                         static_cast<std::size_t>(status.st_size) < content_.size());
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (close(descriptor) != 0 && !shrunk) fail(name_, "close", std::strerror(errno));
  if (shrunk) throw FatalError(name_ + ": the station list was cut short while it was read");
}

// Reads until read() reports the end, in room that starts at one page (an
// empty list is read, not mapped) and doubles as the content grows.
void ListFile::read_to_end(int descriptor) {
  constexpr std::size_t kFirstRoom = std::size_t{1} << 12;
  std::size_t filled = 0;
  try {
    read_.resize(kFirstRoom);
    while (true) {
      if (filled == read_.size()) read_.resize(2 * read_.size());
      const ssize_t got = ::read(descriptor, read_.data() + filled, read_.size() - filled);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        fail(name_, "read", std::strerror(errno));
      }
      filled += static_cast<std::size_t>(got);
    }
  } catch (const std::bad_alloc&) {
    // The one failure of resize() here: no string nears its max_size().
    fail(name_, "read", "too large to hold in memory");
  }
  content_ = std::string_view(read_.data(), filled);
}

}  // namespace dedup
