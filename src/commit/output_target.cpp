#include "commit/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "util/fatal_error.h"

namespace dedup {
namespace {

// As the system itself gives up on a chain of links.
constexpr int kMaxLinks = 40;

FileIdentity identity(const struct stat& status) { return {status.st_dev, status.st_ino}; }

[[noreturn]] void refuse(const OutputTarget& target, const std::string& reason) {
  throw FatalError(target.name + ": cannot write the " + target.what + ": " + reason);
}

// The descriptor a name stands for (/dev/stdout, /dev/fd/N, ...), or -1.
int named_descriptor(std::string_view name) {
  if (name == "/dev/stdin") return STDIN_FILENO;
  if (name == "/dev/stdout") return STDOUT_FILENO;
  if (name == "/dev/stderr") return STDERR_FILENO;
  for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!name.starts_with(folder) || name.size() == folder.size()) continue;
    int descriptor = -1;
    const char* const last = name.data() + name.size();
    const auto [end, error] = std::from_chars(name.data() + folder.size(), last, descriptor);
    return error == std::errc() && end == last ? descriptor : -1;
  }
  return -1;
}

void find_descriptor(OutputTarget& target) {
  struct stat status {};
  const int flags = ::fcntl(target.descriptor, F_GETFL);
  if (flags < 0 || ::fstat(target.descriptor, &status) != 0) refuse(target, std::strerror(errno));
  if ((flags & O_ACCMODE) == O_RDONLY) refuse(target, "the descriptor is open for reading only");
  if (S_ISREG(status.st_mode)) target.regular_file = identity(status);
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The path a symbolic link at `path` leads to.
std::string follow_link(const OutputTarget& target, const std::string& path) {
  std::vector<char> link(256);
  while (true) {
    const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
    if (size < 0) refuse(target, std::strerror(errno));
    if (static_cast<std::size_t>(size) < link.size()) {
      const std::string to(link.data(), static_cast<std::size_t>(size));
      if (to.starts_with('/') || path.find('/') == std::string::npos) return to;
      return folder_of(path) + "/" + to;
    }
    link.resize(2 * link.size());
  }
}

// The attributes statx reports of a file, those it does not know unset.
std::uint64_t attributes_of(const std::string& path, int flags) {
  struct statx status {};
  if (::statx(AT_FDCWD, path.c_str(), flags, STATX_BASIC_STATS, &status) != 0) return 0;
  return status.stx_attributes & status.stx_attributes_mask;
}

// A file that no rename can replace: append-only or immutable (chattr +a,
// +i); for a folder, one in which no name can be renamed.
void check_attributes(const OutputTarget& target, std::uint64_t attributes, const std::string& folder) {
  const std::string what = folder.empty() ? "it is " : "folder " + folder + " is ";
  const std::string why = folder.empty() ? ", so it cannot be replaced" : ", so no file in it can be replaced";
  if ((attributes & STATX_ATTR_IMMUTABLE) != 0) refuse(target, what + "immutable" + why);
  if ((attributes & STATX_ATTR_APPEND) != 0) refuse(target, what + "append-only" + why);
}

void find_folder(OutputTarget& target) {
  target.folder = folder_of(target.path);
  const std::size_t slash = target.path.rfind('/');
  target.base = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
  if (target.base.empty()) refuse(target, target.path + " names a folder");
  struct stat status {};
  if (::stat(target.folder.c_str(), &status) != 0) {
    if (errno == ENOENT) refuse(target, "folder " + target.folder + " does not exist");
    refuse(target, "folder " + target.folder + ": " + std::strerror(errno));
  }
  if (!S_ISDIR(status.st_mode)) refuse(target, target.folder + " is not a folder");
  target.folder_id = identity(status);
  check_attributes(target, attributes_of(target.folder, 0), target.folder);
  // In a sticky folder (such as /tmp) only the owner of a file, or of the
  // folder, may rename another file onto it.
  const uid_t user = ::geteuid();
  if ((status.st_mode & S_ISVTX) != 0 && target.regular_file && user != 0 && user != target.owner &&
      user != status.st_uid) {
    refuse(target, "it belongs to another user in the sticky folder " + target.folder + ", so it cannot be replaced");
  }
}

}  // namespace

OutputTarget find_output_target(const std::string& name, std::string_view what) {
  OutputTarget target;
  target.name = name;
  target.what = what;
  target.path = name;
  for (int links = 0;; ++links) {
    target.descriptor = named_descriptor(target.path);
    if (target.descriptor >= 0) {
      target.kind = OutputTarget::Kind::kDescriptor;
      find_descriptor(target);
      return target;
    }
    struct stat status {};
    if (::lstat(target.path.c_str(), &status) != 0) {
      // Nothing there yet (or a folder on the way is missing or a file,
      // which the folder check names): the output is created.
      if (errno != ENOENT && errno != ENOTDIR) refuse(target, std::strerror(errno));
      break;
    }
    if (S_ISLNK(status.st_mode)) {
      if (links == kMaxLinks) refuse(target, std::strerror(ELOOP));
      target.path = follow_link(target, target.path);
      continue;
    }
    if (S_ISDIR(status.st_mode)) refuse(target, "it is a folder");
    const std::uint64_t attributes = S_ISREG(status.st_mode) ? attributes_of(target.path, AT_SYMLINK_NOFOLLOW) : 0;
    check_attributes(target, attributes, "");
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) refuse(target, std::strerror(errno));
    if (S_ISREG(status.st_mode)) target.regular_file = identity(status);
    // The root of a mount of its own (a file bind-mounted onto this name, as
    // containers do): no other file can be renamed onto it.
    if (!S_ISREG(status.st_mode) || (attributes & STATX_ATTR_MOUNT_ROOT) != 0) {
      target.kind = OutputTarget::Kind::kInPlace;
      return target;
    }
    target.owner = status.st_uid;
    target.group = status.st_gid;
    target.mode = status.st_mode & 0777;
    break;
  }
  target.kind = OutputTarget::Kind::kReplace;
  find_folder(target);
  return target;
}

bool same_output_file(const OutputTarget& a, const OutputTarget& b) {
  if (a.regular_file && a.regular_file == b.regular_file) return true;
  return a.kind == OutputTarget::Kind::kReplace && b.kind == OutputTarget::Kind::kReplace &&
         a.folder_id == b.folder_id && a.base == b.base;
}

bool lands_on(const OutputTarget& target, const std::string& name) {
  struct stat status {};
  return target.regular_file && ::stat(name.c_str(), &status) == 0 && identity(status) == target.regular_file;
}

}  // namespace dedup
