#include "commit/folder_locks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "util/fatal_error.h"

namespace dedup {

FolderLocks::~FolderLocks() { unlock(); }

void FolderLocks::add(const OutputTarget& target) {
  for (const Folder& folder : folders_) {
    if (folder.id == target.folder_id) return;
  }
  const int descriptor = ::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    throw FatalError(target.name + ": cannot open folder " + target.folder + " to lock it for the " + target.what +
                     ": " + std::strerror(errno));
  }
  const Folder folder{target.folder_id, target.folder, descriptor};
  const auto earlier = [](const Folder& a, const Folder& b) {
    return a.id.device != b.id.device ? a.id.device < b.id.device : a.id.inode < b.id.inode;
  };
  folders_.insert(std::upper_bound(folders_.begin(), folders_.end(), folder, earlier), folder);
}

void FolderLocks::lock() {
  for (const Folder& folder : folders_) {
    while (::flock(folder.descriptor, LOCK_EX) != 0) {
      if (errno != EINTR) {
        throw FatalError("cannot lock folder " + folder.path + " to put the outputs in place: " +
                         std::strerror(errno));
      }
    }
  }
}

void FolderLocks::unlock() {
  for (Folder& folder : folders_) {
    if (folder.descriptor >= 0) ::close(folder.descriptor);
    folder.descriptor = -1;
  }
}

}  // namespace dedup
