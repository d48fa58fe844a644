#pragma once
// Texts as strict JSON strings (RFC 8259) in UTF-8, a byte outside a
// well-formed sequence taken as Latin-1 (src/README.md); JsonText and
// JsonNumber (null when not finite) are such texts and floats as pieces.

#include <cstddef>
#include <string_view>

#include "output/text_appender.h"

namespace dedup {

// At most six bytes per byte (\u00XX), and the quotation marks.
struct JsonText {
  std::string_view bytes;
};
inline std::size_t piece_most(JsonText piece) { return 6 * piece.bytes.size() + 2; }
char* put_piece(char* out, JsonText piece);

struct JsonNumber {
  float value;
};
constexpr std::size_t piece_most(JsonNumber) { return kShortestFloatMax; }
char* put_piece(char* at, JsonNumber piece);

}  // namespace dedup
