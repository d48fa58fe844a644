#pragma once
// Temporary files that must not outlive the process: while a file is listed,
// SIGINT, SIGTERM, SIGHUP, SIGPIPE and SIGBUS remove every listed file, then
// end the process as that signal would; SIGXFSZ is ignored (see src/README.md).

#include <signal.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

namespace dedup {

// Holds back the clean-up signals for its lifetime.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t previous_;
};

// A list of up to `count` temporaries, fixed at construction, that the
// signal handlers read; installs the handlers.
// REQUIRES: at most one TemporaryList lives at a time.
class TemporaryList {
 public:
  explicit TemporaryList(std::size_t count);
  ~TemporaryList();
  TemporaryList(const TemporaryList&) = delete;
  TemporaryList& operator=(const TemporaryList&) = delete;

  // Creates and lists a file from `pattern` (mkostemp), in one step; returns
  // its descriptor, or -1 with errno set. REQUIRES: fewer than `count` listed.
  int create(std::string& pattern);
  // Takes a path off the list (after it was renamed or removed).
  void unlist(const std::string& path);

 private:
  std::size_t count_;
  std::unique_ptr<std::atomic<const char*>[]> listed_;  // what the handler removes
  std::unique_ptr<std::unique_ptr<char[]>[]> paths_;    // their bytes, never moved while listed
};

}  // namespace dedup
