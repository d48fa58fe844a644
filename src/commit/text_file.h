#pragma once
// The text of one output, built piece by piece: written to a descriptor through
// a block the outputs of a run take turns in, or collected whole in memory. A
// failed write is a FatalError "<name>: cannot write the <what>: <reason>".

#include <algorithm>
#include <cassert>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace dedup {

// How far a writer may store past its text's end (a word store begun at its
// last byte): scratch bytes, overwritten or never taken.
inline constexpr std::size_t kRunPast = sizeof(std::uint64_t) - 1;

// The longest text of an integer of up to 64 bits, and the longest shortest
// text of a finite float (a sign, 9 digits, a point and an exponent: e-38).
inline constexpr std::size_t kIntegerMax = std::numeric_limits<std::uint64_t>::digits10 + 1;
inline constexpr std::size_t kShortestFloatMax = 1 + std::numeric_limits<float>::max_digits10 + 1 + 4;

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
  // returns the room's start and end. For TextAppender.
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

// Each kind of piece has piece_most(piece) and put_piece(at, piece), found by ADL.
// (copy_n, unlike memcpy, takes the null data of an empty text.)
inline std::size_t piece_most(std::string_view text) { return text.size(); }
inline char* put_piece(char* at, std::string_view text) { return std::copy_n(text.data(), text.size(), at); }

template <class Integer>
concept Decimal = std::integral<Integer> && !std::same_as<Integer, char> && !std::same_as<Integer, bool>;
template <Decimal Integer>
constexpr std::size_t piece_most(Integer) { return kIntegerMax; }
template <Decimal Integer>
char* put_piece(char* at, Integer value) { return std::to_chars(at, at + kIntegerMax, value).ptr; }

// The shortest text that reads back as the same float. REQUIRES: finite.
struct Shortest {
  float value;
};
constexpr std::size_t piece_most(Shortest) { return kShortestFloatMax; }
char* put_piece(char* at, Shortest piece);

// Appends pieces to a TextFile, each put() asking for their piece_most's sum.
// REQUIRES: no other output of the same shared block is written meanwhile.
class TextAppender {
 public:
  explicit TextAppender(TextFile& file) : file_(file) {}
  TextAppender(const TextAppender&) = delete;
  TextAppender& operator=(const TextAppender&) = delete;
  ~TextAppender() {
    if (at_ != nullptr) file_.done(at_);
  }

  // REQUIRES: the pieces take at most SharedBlock::kSize bytes together.
  template <class... Pieces>
  void put(const Pieces&... pieces) {
    const std::size_t most = (std::size_t{0} + ... + piece_most(pieces));
    if (static_cast<std::size_t>(end_ - at_) < most) std::tie(at_, end_) = file_.room_from(at_, most);
    ((at_ = put_piece(at_, pieces)), ...);
  }

 private:
  TextFile& file_;
  char* at_ = nullptr;
  char* end_ = nullptr;
};

}  // namespace dedup
