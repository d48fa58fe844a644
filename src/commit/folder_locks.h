#pragma once
// Exclusive flocks on the folders of the outputs a run renames, taken in the
// order of their device and inode numbers and held from the first rename to
// the last, so that the outputs two runs share come, on disk, from one run.

#include <string>
#include <vector>

#include "commit/output_target.h"

namespace dedup {

class FolderLocks {
 public:
  FolderLocks() = default;
  ~FolderLocks();
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;

  // Opens the folder of an output renamed into place, once per folder.
  void add(const OutputTarget& target);
  // Takes every lock, waiting while another run holds one.
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
