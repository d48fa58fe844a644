#pragma once
// Holds the fast path for plain decimals (read_plain_decimal) to the exact
// conversion of the same text by from_chars: the text is laid out as the
// record reader meets it, followed by the byte after the number and by the
// slack the fast path may read.

#include <bit>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "stations/plain_decimal.h"

namespace dedup::testing {

class PlainDecimalCheck {
 public:
  // "" when the fast path reads `text` followed by `after` as from_chars
  // reads it (or, with `accept` false, declines it), else what differs.
  std::string differs(std::string_view text, char after = ' ', bool accept = true) {
    buffer_.assign(text);
    buffer_ += after;
    buffer_.append(40, ' ');
    const char* p = buffer_.data();
    const char* const limit = buffer_.data() + buffer_.size() - 32;
    float fast = 0.0f;
    const bool read = read_plain_decimal(p, limit, fast);
    if (!accept) return read ? "accepted" : "";
    if (!read) return "declined";
    if (p != buffer_.data() + text.size()) return "stopped at " + std::to_string(p - buffer_.data());
    const std::string_view exact_text = text[0] == '+' ? text.substr(1) : text;
    float exact = 0.0f;
    std::from_chars(exact_text.data(), exact_text.data() + exact_text.size(), exact);
    if (std::bit_cast<std::uint32_t>(fast) == std::bit_cast<std::uint32_t>(exact)) return "";
    return "gave " + std::to_string(std::bit_cast<std::uint32_t>(fast)) + " for " +
           std::to_string(std::bit_cast<std::uint32_t>(exact));
  }

 private:
  std::string buffer_;
};

}  // namespace dedup::testing
