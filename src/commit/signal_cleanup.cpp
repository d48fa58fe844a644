#include "commit/signal_cleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace dedup {
namespace {

constexpr std::array kCleanUpSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGBUS};

// The live list, as the handler reads it: its count stored before it and
// cleared after it, so that the handler sees either no list or a whole one.
std::atomic<const std::atomic<const char*>*> live_list{nullptr};
std::atomic<std::size_t> live_count{0};

extern "C" void remove_temporaries_and_end(int signal_number) {
  const std::atomic<const char*>* const listed = live_list.load();
  for (std::size_t k = 0; listed != nullptr && k < live_count.load(); ++k) {
    const char* const name = listed[k].load();
    if (name != nullptr) ::unlink(name);
  }
  // Delivered with the default action once this handler returns: the process ends.
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void install_handlers() {
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

}  // namespace

HeldSignals::HeldSignals() {
  sigset_t held;
  sigemptyset(&held);
  for (const int s : kCleanUpSignals) sigaddset(&held, s);
  sigprocmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

TemporaryList::TemporaryList(std::size_t count)
    : count_(count), listed_(new std::atomic<const char*>[count]{}), paths_(new std::unique_ptr<char[]>[count]) {
  install_handlers();
  assert(live_list.load() == nullptr);
  live_count.store(count);
  live_list.store(listed_.get());
}

TemporaryList::~TemporaryList() {
  live_list.store(nullptr);
  live_count.store(0);
}

int TemporaryList::create(std::string& pattern) {
  assert(pattern.ends_with("XXXXXX"));
  std::size_t k = 0;
  while (k < count_ && listed_[k].load() != nullptr) ++k;
  assert(k < count_);
  paths_[k].reset(new char[pattern.size() + 1]);
  std::memcpy(paths_[k].get(), pattern.c_str(), pattern.size() + 1);
  const HeldSignals held;
  const int descriptor = ::mkostemp(paths_[k].get(), O_CLOEXEC);
  if (descriptor >= 0) {
    listed_[k].store(paths_[k].get());
    pattern = paths_[k].get();
  }
  return descriptor;
}

void TemporaryList::unlist(const std::string& path) {
  for (std::size_t k = 0; k < count_; ++k) {
    const char* const listed = listed_[k].load();
    if (listed != nullptr && path == listed) listed_[k].store(nullptr);
  }
}

}  // namespace dedup
