#pragma once
// The lock that makes concurrent runs put their outputs in place one after
// the other: a run holds an exclusive flock on the folder of each output it
// renames, from just before its first rename until its last, so that the
// outputs that two runs share always come, on disk, from one run. The
// folders are opened when the outputs are prepared, before anything is
// read, and locked in the order of their device and inode numbers, so that
// two runs sharing several folders never each hold one and wait for the
// other. Closing a folder (unlock(), or the destructor) releases its lock.

#include <string>
#include <string_view>
#include <vector>

#include "commit/output_target.h"

namespace dedup {

class FolderLocks {
 public:
  FolderLocks() = default;
  ~FolderLocks();
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;

  // Opens the folder of an output that is renamed into place, once per
  // folder; raises FatalError naming the output when it cannot be opened.
  void add(const OutputTarget& target);
  // Takes every lock, waiting while another run holds one; raises
  // FatalError when the system refuses a lock.
  void lock();
  void unlock();

 private:
  struct Folder {
    FileIdentity id;
    std::string path;
    int descriptor = -1;
  };
  std::vector<Folder> folders_;
};

}  // namespace dedup
