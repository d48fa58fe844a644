#pragma once
// Where an output name leads: an open descriptor, a file written in place, or
// a file replaced by a rename (src/README.md). Raises FatalError "<name>:
// cannot write the <what>: <reason>" when the output cannot be written.

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
// one name in one folder (by device and inode); devices may be shared.
bool same_output_file(const OutputTarget& a, const OutputTarget& b);

// Whether the output would land on the existing file `name`, links followed.
bool lands_on(const OutputTarget& target, const std::string& name);

}  // namespace dedup
