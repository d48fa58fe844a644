#pragma once
// The bytes of the station list, held without a copy where possible: a
// regular file of known size is mapped into memory as it is; anything else
// (a pipe, a /proc file whose size reads as 0, a device) is read to its end
// once. A file that cannot be opened or read, or is too large to hold, is a
// FatalError naming it.
//
// Another program may cut a mapped list short while it is read. The pages
// past its new end then read as zeros instead of ending the process by
// SIGBUS, and check_whole(), called once the content is read, raises
// FatalError "<name>: the station list was cut short while it was read";
// it also closes the file (an unmapped one is closed by the constructor).
// The content stays readable until the ListFile is destroyed.

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
