#pragma once
// A text field of fixed length N: always exactly N bytes, blank-padded on the
// right. Storing a longer text keeps its leftmost N bytes. Two fields are equal
// when all N bytes are equal (case-sensitive). The trimmed form drops trailing
// blanks only; leading blanks stay.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace dedup {

template <std::size_t N>
class FixedText {
 public:
  FixedText() { clear(); }
  explicit FixedText(std::string_view text) { assign(text); }

  void clear() { bytes_.fill(' '); }

  // Blanks over all N bytes first (a fixed-size fill, done inline), then
  // the text over them.
  void assign(std::string_view text) {
    clear();
    std::copy_n(text.data(), std::min(text.size(), N), bytes_.data());
  }

  std::string_view full() const { return {bytes_.data(), N}; }

  std::string_view trimmed() const {
    // Eight blanks at a time first: most fields are mostly padding.
    constexpr std::string_view kBlanks = "        ";
    std::size_t len = N;
    while (len >= kBlanks.size() && std::string_view(bytes_.data() + len - kBlanks.size(), kBlanks.size()) == kBlanks) {
      len -= kBlanks.size();
    }
    while (len > 0 && bytes_[len - 1] == ' ') --len;
    return {bytes_.data(), len};
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<char, N> bytes_;
};

}  // namespace dedup
