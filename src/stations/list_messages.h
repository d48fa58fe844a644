#pragma once
// Pieces of the messages every reader of a station list gives: an offending
// text as shown between quotation marks, and the message for a full table.

#include <cstdint>
#include <string>
#include <string_view>

namespace dedup {

// At most 40 bytes, unprintable ones as \xHH, a backslash or quotation mark escaped.
std::string shown_text(std::string_view text);

// "more than N records; the table holds at most N", with the option that
// raises the limit while the capacity is below the largest.
std::string too_many_records(std::int32_t capacity);

}  // namespace dedup
