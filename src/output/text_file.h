#pragma once
// The text of one output, built piece by piece. Written to an open descriptor
// in large blocks, or, for an output that is written only when the run
// commits (a descriptor or device shared with the world), collected whole in
// memory. Every write is checked and repeated until complete; a failure is a
// FatalError "<name>: cannot write the <what>: <system reason>", so a full
// disk or a file-size limit (EFBIG) names the output.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace dedup {

class TextFile {
 public:
  // Writes to `descriptor` whenever the block is full; flush() writes the rest.
  TextFile(int descriptor, std::string name, std::string what);
  // Collects the whole text in memory; write_to() writes it.
  TextFile(std::string name, std::string what);
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Room for `size` bytes (at most kBlockSize) at the returned position;
  // done(end) then takes the bytes written up to `end`.
  char* room(std::size_t size) {
    if (capacity_ - filled_ < size) make_room(size);
    return block_.get() + filled_;
  }
  void done(const char* end) { filled_ = static_cast<std::size_t>(end - block_.get()); }

  // Writes what the block holds to the descriptor given at construction.
  void flush();
  // Writes the whole collected text to `descriptor`.
  void write_to(int descriptor);

  const std::string& name() const { return name_; }
  const std::string& what() const { return what_; }
  [[noreturn]] void fail(std::string_view step, int error) const;

  static constexpr std::size_t kBlockSize = std::size_t{1} << 18;

 private:
  void make_room(std::size_t size);
  void write_all(int descriptor, const char* data, std::size_t size) const;

  std::string name_;
  std::string what_;
  int descriptor_ = -1;  // -1: collected in memory
  // Left uninitialised: only the bytes written are ever touched.
  std::unique_ptr<char[]> block_;
  std::size_t capacity_ = kBlockSize;
  std::size_t filled_ = 0;
};

}  // namespace dedup
