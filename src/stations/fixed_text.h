#pragma once
// A text field of exactly N bytes, blank-padded on the right; a longer text
// keeps its leftmost N bytes. Equal when all N bytes are; trimmed() drops
// trailing blanks only.

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "util/digits.h"

namespace dedup {

template <std::size_t N>
class FixedText {
  static constexpr std::size_t kWord = sizeof(std::uint64_t);
  static_assert(N >= kWord);

 public:
  FixedText() { clear(); }
  explicit FixedText(std::string_view text) { assign(text); }

  void clear() { bytes_.fill(' '); }

  void assign(std::string_view text) {
    clear();
    std::copy_n(text.data(), std::min(text.size(), N), bytes_.data());
  }

  // The same as assign(), in whole words, the last one blanked past the text.
  // REQUIRES: `readable_end` lies at least 7 bytes past the text's kept part.
  void assign_words(const char* text, std::size_t size, [[maybe_unused]] const char* readable_end) {
    clear();
    const std::size_t length = std::min(size, N);
    assert(readable_end - text >= static_cast<std::ptrdiff_t>(length + kWord - 1));
    std::size_t at = 0;
    for (; at + kWord <= length; at += kWord) std::memcpy(bytes_.data() + at, text + at, kWord);
    if (at == length) return;
    if (at + kWord > N) {
      for (; at < length; ++at) bytes_[at] = text[at];
      return;
    }
    const std::uint64_t kept = ~std::uint64_t{0} >> (8 * (kWord - (length - at)));
    const std::uint64_t word = (swar::load_word(text + at) & kept) | (kEachByte * ' ' & ~kept);
    std::memcpy(bytes_.data() + at, &word, kWord);
  }

  std::string_view full() const { return {bytes_.data(), N}; }

  // Words compared with blanks from the end on (most fields are mostly
  // padding); the word at 0 overlaps the next where N is not a multiple of 8.
  std::string_view trimmed() const {
    constexpr std::uint64_t kBlanks = kEachByte * ' ';
    const auto end_in_word = [](std::uint64_t non_blanks) {
      return kWord - static_cast<std::size_t>(std::countl_zero(non_blanks)) / 8;
    };
    for (std::size_t end = N; end > kWord; end -= kWord) {
      if (const std::uint64_t non_blanks = word_at(*this, end - kWord) ^ kBlanks; non_blanks != 0) {
        return {bytes_.data(), end - kWord + end_in_word(non_blanks)};
      }
    }
    return {bytes_.data(), end_in_word(word_at(*this, 0) ^ kBlanks)};
  }

  // Word by word without a library call: most unequal identifiers differ in
  // the first eight bytes.
  friend bool operator==(const FixedText& a, const FixedText& b) {
    if (word_at(a, 0) != word_at(b, 0)) return false;
    std::uint64_t differ = 0;
    for (std::size_t at = kWord; at + kWord <= N; at += kWord) differ |= word_at(a, at) ^ word_at(b, at);
    differ |= word_at(a, N - kWord) ^ word_at(b, N - kWord);
    return differ == 0;
  }

 private:
  static std::uint64_t word_at(const FixedText& text, std::size_t at) {
    return swar::load_word(text.bytes_.data() + at);
  }

  std::array<char, N> bytes_;
};

}  // namespace dedup
