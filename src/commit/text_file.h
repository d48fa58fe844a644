#pragma once
// The text of one output, built piece by piece. Written to an open descriptor
// through a block of memory that all such outputs of a run take turns in
// (the one that starts writing first writes out what the last one left, so
// a run touches the pages of one block only), or, for an output that is
// written only when the run commits (a descriptor or device shared with the
// world), collected whole in memory. Every write is checked and repeated
// until complete; a failure is a FatalError "<name>: cannot write the <what>:
// <system reason>", so a full disk or a file-size limit (EFBIG) names the
// output.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dedup {

// How far a writer of this room may store past the end of the text it
// writes: its longest word store, 8 bytes, begun at the text's last byte.
// Such bytes are scratch, overwritten by what follows or never taken. (The
// station texts are read a word from their last byte too, hence the same 7
// bytes readable past a text in stations/fixed_text.h.)
inline constexpr std::size_t kRunPast = sizeof(std::uint64_t) - 1;

class TextFile;

// The block that the outputs written to a descriptor share, allocated when
// the first of them starts writing and left uninitialised, so only the
// bytes written are ever touched.
struct SharedBlock {
  static constexpr std::size_t kSize = std::size_t{1} << 18;
  std::unique_ptr<char[]> bytes;
  TextFile* holder = nullptr;
};

class TextFile {
 public:
  // Writes to `descriptor` through `shared`; flush() writes what is pending.
  TextFile(int descriptor, SharedBlock& shared, std::string name, std::string what);
  // Collects the whole text in memory; write_to() writes it.
  TextFile(std::string name, std::string what);
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Room for `size` bytes (at most SharedBlock::kSize) at the returned
  // position, up to room_end(); done(end) then takes the bytes written up
  // to `end`. Up to kRunPast bytes past room_end() may be overwritten too
  // (by word stores that run past a text's end) and are never taken.
  char* room(std::size_t size) {
    assert(size <= SharedBlock::kSize);
    if (shared_ != nullptr && shared_->holder != this) take_turn();
    if (capacity_ - filled_ < size) make_room(size);
    return block_ + filled_;
  }
  const char* room_end() const { return block_ + capacity_; }
  void done(const char* end) {
    assert(end >= block_ + filled_ && end <= room_end());
    filled_ = static_cast<std::size_t>(end - block_);
  }

  // Writes what is pending to the descriptor given at construction.
  void flush();
  // Writes the whole collected text to `descriptor`.
  void write_to(int descriptor);

  [[noreturn]] void fail(std::string_view step, int error) const;

 private:
  void take_turn();
  void make_room(std::size_t size);
  void write_all(int descriptor, const char* data, std::size_t size) const;

  std::string name_;
  std::string what_;
  int descriptor_ = -1;
  SharedBlock* shared_ = nullptr;   // null: collected in memory, in owned_
  std::unique_ptr<char[]> owned_;
  char* block_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace dedup
