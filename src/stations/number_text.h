#pragma once
// The exact general reader of a number of the station list (syntax:
// src/README.md, "The free-form list"), rounded once from the decimal text
// to the nearest float: Clinger's fast path where it is sure, else from_chars.

#include <optional>
#include <string_view>

namespace dedup {

// The float the text stands for, or nothing when it is not a number.
std::optional<float> parse_number(std::string_view text);

// The same with a comma read as the decimal point: a number the user types,
// which may use either mark (one mark at most).
std::optional<float> parse_number_either_mark(std::string_view text);

}  // namespace dedup
