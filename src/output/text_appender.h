#pragma once
// Appends pieces of text (texts, integers, shortest floats, and the writers'
// own kinds) to a TextFile, each put() asking for room for its pieces' widest.

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>

#include "commit/text_file.h"

namespace dedup {

// The longest text of an integer of up to 64 bits, and the longest shortest
// text of a finite float (a sign, 9 digits, a point and an exponent: e-38).
inline constexpr std::size_t kIntegerMax = std::numeric_limits<std::uint64_t>::digits10 + 1;
inline constexpr std::size_t kShortestFloatMax = 1 + std::numeric_limits<float>::max_digits10 + 1 + 4;

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
inline char* put_piece(char* at, Shortest piece) {
  assert(std::isfinite(piece.value));
  return std::to_chars(at, at + kShortestFloatMax, piece.value).ptr;
}

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
