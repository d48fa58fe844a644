#pragma once
// Writes a text file in large blocks. The constructor creates the named file
// or empties it; text goes into a fixed block of memory that is written out
// whenever the next piece might not fit; finish() writes the rest, flushes
// and closes. Every step is checked, the flush and the close as well, since
// buffered output reports a full disk only there. A failure is a FatalError
// "<name>: cannot <step> the <what>: <system reason>". A file not finished
// (after a failure elsewhere) is closed unchecked when destroyed.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace dedup {

class TextFile {
 public:
  TextFile(const std::string& name, std::string_view what);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Room for `size` bytes (at most kBlockSize) at the returned position;
  // done(end) then takes the bytes written up to `end`.
  char* room(std::size_t size) {
    if (kBlockSize - filled_ < size) write_block();
    return block_.get() + filled_;
  }
  void done(const char* end) { filled_ = static_cast<std::size_t>(end - block_.get()); }

  void finish();

  static constexpr std::size_t kBlockSize = std::size_t{1} << 18;

 private:
  void write_block();
  [[noreturn]] void fail(std::string_view step, int error) const;

  std::string name_;
  std::string_view what_;
  std::unique_ptr<char[]> block_;
  std::FILE* file_ = nullptr;
  std::size_t filled_ = 0;
};

}  // namespace dedup
