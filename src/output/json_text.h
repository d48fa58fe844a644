#pragma once
// put_json_text writes the bytes of a text as a strict JSON string (RFC
// 8259) at `out` and returns its end: between quotation marks, turned into
// UTF-8: a well-formed UTF-8 sequence is copied as it is, every other byte
// is taken as the Latin-1 character of its value (older station lists are
// Latin-1); '"' and '\' are escaped, and so are the control characters
// below 0x20 (\b \t \n \f \r, the others as \u00XX). At most
// json_text_max(size) bytes: six for each byte (\u00XX), and the marks.
// JsonText and JsonNumber are such a text and a float (its shortest text,
// or null when it is not finite: JSON has no NaN or infinities) as pieces
// for a TextAppender.

#include <cstddef>
#include <string_view>

#include "commit/text_file.h"

namespace dedup {

constexpr std::size_t json_text_max(std::size_t size) { return 6 * size + 2; }

char* put_json_text(char* out, std::string_view bytes);

struct JsonText {
  std::string_view bytes;
};
inline std::size_t piece_most(JsonText piece) { return json_text_max(piece.bytes.size()); }
inline char* put_piece(char* at, JsonText piece) { return put_json_text(at, piece.bytes); }

struct JsonNumber {
  float value;
};
constexpr std::size_t piece_most(JsonNumber) { return kShortestFloatMax; }
char* put_piece(char* at, JsonNumber piece);

}  // namespace dedup
