#pragma once
// The bytes of the station list, mapped when it is a regular file of known
// size, else read to its end; readable until the ListFile is destroyed. A file
// that cannot be opened or read is a FatalError naming it (src/README.md).

#include <string>
#include <string_view>

namespace dedup {

class ListFile {
 public:
  explicit ListFile(const std::string& name);
  ~ListFile();
  ListFile(const ListFile&) = delete;
  ListFile& operator=(const ListFile&) = delete;

  std::string_view content() const { return content_; }
  const std::string& name() const { return name_; }

  // Once the content is read: FatalError "<name>: the station list was cut
  // short while it was read" if another program shrank it; closes the file.
  void check_whole();

 private:
  void read_to_end(int descriptor);

  std::string name_;
  int descriptor_ = -1;     // open while the file is mapped
  void* mapped_ = nullptr;  // the mapping, when the file is mapped
  std::string read_;        // the bytes read, when it is not
  std::string_view content_;
};

}  // namespace dedup
