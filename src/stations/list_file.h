#pragma once
// The bytes of the station list, held without a copy where possible: a
// regular file of known size is mapped into memory as it is; anything else
// (a pipe, a /proc file whose size reads as 0, a device) is read to its end
// once. The file is closed when the constructor returns. A file that cannot
// be opened or read, or is too large to hold, is a FatalError naming it.

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

 private:
  void read_to_end(int descriptor, const std::string& name);

  void* mapped_ = nullptr;  // the mapping, when the file is mapped
  std::string read_;        // the bytes read, when it is not
  std::string_view content_;
};

}  // namespace dedup
