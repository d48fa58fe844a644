#pragma once
// Pieces of strict JSON text (RFC 8259), each written at `out` and returning
// the end of what it wrote.
// - put_json_text: the bytes of a text between quotation marks, turned into
//   UTF-8: a well-formed UTF-8 sequence is copied as it is, every other byte
//   is taken as the Latin-1 character of its value (older station lists are
//   Latin-1); '"' and '\' are escaped, and so are the control characters
//   below 0x20 (\b \t \n \f \r, the others as \u00XX). At most
//   json_text_max(size) bytes.
// - put_json_number: the shortest text that reads back as the same float
//   (put_shortest), or null when the value is not finite (JSON has no NaN
//   or infinities). At most kShortestFloatMax bytes.

#include <cstddef>
#include <string_view>

#include "output/text_pieces.h"

namespace dedup {

constexpr std::size_t json_text_max(std::size_t size) { return 6 * size + 2; }

char* put_json_text(char* out, std::string_view bytes);
char* put_json_number(char* out, float value);

}  // namespace dedup
