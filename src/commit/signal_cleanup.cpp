#include "commit/signal_cleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdlib>

namespace dedup {
namespace {

constexpr std::array kCleanUpSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGBUS};

// One slot per output a run may have, with room to spare.
constexpr std::size_t kMaxTemporaries = 8;
std::array<std::atomic<const char*>, kMaxTemporaries> listed{};

extern "C" void remove_temporaries_and_end(int signal_number) {
  for (auto& path : listed) {
    const char* const name = path.load();
    if (name != nullptr) ::unlink(name);
  }
  // Held back until this handler returns, then delivered with the default
  // action: the process ends by this signal.
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

HeldSignals::HeldSignals() {
  sigset_t held;
  sigemptyset(&held);
  for (const int s : kCleanUpSignals) sigaddset(&held, s);
  sigprocmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

void clean_up_temporaries_on_signals() {
  struct sigaction action {};
  action.sa_handler = remove_temporaries_and_end;
  sigemptyset(&action.sa_mask);
  for (const int s : kCleanUpSignals) sigaddset(&action.sa_mask, s);
  for (const int s : kCleanUpSignals) {
    struct sigaction before {};
    if (sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(s, &action, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

int create_listed_temporary(std::string& pattern) {
  assert(pattern.ends_with("XXXXXX"));
  const HeldSignals held;
  for (auto& path : listed) {
    if (path.load() != nullptr) continue;
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor >= 0) path.store(pattern.c_str());
    return descriptor;
  }
  std::abort();  // more temporaries than outputs: a programming error
}

void unlist_temporary(const std::string& pattern) {
  for (auto& path : listed) {
    if (path.load() == pattern.c_str()) path.store(nullptr);
  }
}

}  // namespace dedup
