#pragma once
// Temporary files that must not outlive the process. While a path is listed,
// SIGINT, SIGTERM, SIGHUP and SIGPIPE, and SIGBUS (one that the station
// list's own handler does not take: list_file.h), remove every listed file and
// then end the process as that signal would, so the shell sees the usual
// status; a signal the process was started with ignored stays ignored. SIGXFSZ is
// ignored, so that a file-size limit reaches the writer as an error (EFBIG)
// like a full disk instead of ending the process.
//
// A path is listed in the same step that creates its file, with those
// signals held back meanwhile, so no moment exists in which a signal could
// leave the file behind unlisted.

#include <signal.h>

#include <string>

namespace dedup {

// Installs the handlers; called before the first temporary exists (calling
// it again changes nothing).
void clean_up_temporaries_on_signals();

// Holds back the clean-up signals for its lifetime: a signal that arrives
// meanwhile is handled when it ends.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t previous_;
};

// Creates a new file from `pattern` (mkostemp: the pattern ends in XXXXXX,
// which is replaced in place) and lists it. Returns the open descriptor, or
// -1 with errno set when the file cannot be created. The listed path points
// into `pattern`, which must stay unchanged until unlisted.
int create_listed_temporary(std::string& pattern);

// Takes a path off the list (after it was renamed or removed).
void unlist_temporary(const std::string& pattern);

}  // namespace dedup
