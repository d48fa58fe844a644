#include "output/json_text.h"

#include <cmath>
#include <cstddef>

namespace dedup {
namespace {

// The length of the well-formed UTF-8 sequence starting at `at`, or 0 (a stray
// continuation byte, an overlong form, a surrogate, above U+10FFFF, cut short).
std::size_t utf8_sequence(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t k) -> unsigned {
    return at + k < bytes.size() ? static_cast<unsigned char>(bytes[at + k]) : 0u;
  };
  const auto follows = [&](std::size_t k, unsigned low, unsigned high) { return byte(k) >= low && byte(k) <= high; };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return follows(1, 0x80, 0xBF) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : 0xBF;
    return follows(1, low, high) && follows(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
    return follows(1, low, high) && follows(2, 0x80, 0xBF) && follows(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

char* put_escaped(char* out, unsigned char c) {
  constexpr char kHex[] = "0123456789abcdef";
  *out++ = '\\';
  const auto letter = [out](char escaped) {
    *out = escaped;
    return out + 1;
  };
  switch (c) {
    case '"':
    case '\\':
      return letter(static_cast<char>(c));
    case '\b':
      return letter('b');
    case '\t':
      return letter('t');
    case '\n':
      return letter('n');
    case '\f':
      return letter('f');
    case '\r':
      return letter('r');
    default:
      *out++ = 'u';
      *out++ = '0';
      *out++ = '0';
      *out++ = kHex[c >> 4];
      *out++ = kHex[c & 0xF];
      return out;
  }
}

}  // namespace

char* put_piece(char* out, JsonText piece) {
  const std::string_view bytes = piece.bytes;
  *out++ = '"';
  for (std::size_t at = 0; at < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    if (c < 0x20 || c == '"' || c == '\\') {
      out = put_escaped(out, c);
      ++at;
    } else if (c < 0x80) {
      *out++ = static_cast<char>(c);
      ++at;
    } else if (const std::size_t length = utf8_sequence(bytes, at); length != 0) {
      for (const std::size_t end = at + length; at < end; ++at) *out++ = bytes[at];
    } else {
      // U+0080 to U+00FF in two bytes.
      *out++ = static_cast<char>(0xC0 | (c >> 6));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
      ++at;
    }
  }
  *out++ = '"';
  return out;
}

char* put_piece(char* at, JsonNumber piece) {
  static_assert(kShortestFloatMax >= std::string_view("null").size());
  if (std::isfinite(piece.value)) return put_piece(at, Shortest{piece.value});
  return put_piece(at, std::string_view("null"));
}

}  // namespace dedup
