#pragma once
// Where an output name leads, found before anything is read or written.
// - /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N
//   stand for the open descriptor, as shells treat them (also when reached
//   through a link): the output is written to it, so `>> log` appends.
// - Otherwise the name is followed through symbolic links, a dangling last
//   one too, to the name the output will finally have; a linked output thus
//   keeps its link and the file it leads to is replaced.
// - An existing file there that cannot be replaced, because it is not a
//   regular file (/dev/null, a FIFO, a terminal) or is a mount point of its
//   own (a file bind-mounted into a container), is written in place: a
//   regular file is then emptied first, any other never truncated.
// - Any other output is replaced: written beside its final name and renamed
//   onto it, or created there when no file exists.
// Raises FatalError "<name>: cannot write the <what>: <reason>" when the
// output cannot be written: a folder, a missing folder, a file the user may
// not write, a name the system refuses (too long, a loop of links, ...), or
// a file that no rename may replace: an append-only or immutable file or
// folder, a file of another user in a sticky folder.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace dedup {

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct OutputTarget {
  enum class Kind { kDescriptor, kInPlace, kReplace };
  Kind kind = Kind::kReplace;
  std::string name;  // as given, for messages
  std::string what;  // "kept-stations file", ...
  int descriptor = -1;      // kDescriptor
  std::string path;         // kInPlace, kReplace: the final name
  std::string folder;       // kReplace: the folder of the final name
  std::string base;         // kReplace: the final name within its folder
  FileIdentity folder_id;   // kReplace
  std::optional<FileIdentity> regular_file;  // the existing regular file the output lands on
  // kReplace over an existing file: its owner and permission bits.
  uid_t owner = 0;
  gid_t group = 0;
  mode_t mode = 0;
};

OutputTarget find_output_target(const std::string& name, std::string_view what);

// Whether two outputs would land on one file: one existing regular file, or
// one name in one folder (the same device and inode, which catches bind
// mounts and linked folders). Devices, FIFOs and terminals may be shared.
bool same_output_file(const OutputTarget& a, const OutputTarget& b);

// Whether the output would land on the existing file `name` (followed
// through links); false when no such file exists.
bool lands_on(const OutputTarget& target, const std::string& name);

}  // namespace dedup
