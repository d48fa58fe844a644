#pragma once
// The text of one output, built piece by piece: written to a descriptor through
// a block the outputs of a run take turns in, or collected whole in memory. A
// failed write is a FatalError "<name>: cannot write the <what>: <reason>".

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace dedup {

// How far a writer may store past its text's end (a word store begun at its
// last byte): scratch bytes, overwritten or never taken.
inline constexpr std::size_t kRunPast = sizeof(std::uint64_t) - 1;

class TextFile;

// The block the descriptor outputs share, allocated uninitialised on first use.
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

  // Appends `text`, of any length.
  void append(std::string_view text);
  // Takes the bytes written up to `end` (none when null), then as room();
  // returns the room's start and end (for an appender that keeps them).
  std::pair<char*, char*> room_from(const char* end, std::size_t size) {
    if (end != nullptr) done(end);
    return {room(size), block_ + capacity_};
  }
  // Room for `size` bytes at the returned position, up to room_end() and
  // kRunPast past it; done(end) takes the bytes written up to `end`.
  // REQUIRES: `size` <= SharedBlock::kSize.
  char* room(std::size_t size) {
    assert(size <= SharedBlock::kSize);
    if (!has_room(size)) make_room(size);
    return block_ + filled_;
  }
  const char* room_end() const { return block_ + capacity_; }
  // REQUIRES: `end` lies within the last room given.
  void done(const char* end) {
    assert(end >= block_ + filled_ && end <= room_end());
    filled_ = static_cast<std::size_t>(end - block_);
  }

  void flush();
  void write_to(int descriptor);

  [[noreturn]] void fail(std::string_view step, int error) const;

 private:
  bool has_room(std::size_t size) const { return capacity_ - filled_ >= size; }
  void take_turn();
  void make_room(std::size_t size);
  void write_all(int descriptor, const char* data, std::size_t size) const;

  std::string name_;
  std::string what_;
  int descriptor_ = -1;
  SharedBlock* shared_ = nullptr;   // null: collected in memory, in owned_
  std::unique_ptr<char[]> owned_;
  char* block_ = nullptr;
  std::size_t capacity_ = 0;  // 0 while another output holds the shared block
  std::size_t filled_ = 0;
};

}  // namespace dedup
