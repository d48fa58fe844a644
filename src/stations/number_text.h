#pragma once
// Numbers of the station list: an optional sign, digits with an optional
// decimal point (at least one digit), an optional exponent (E or D in either
// case with an optionally signed integer, or a sign directly followed by
// digits: 1.5+3 is 1500); or Inf / Infinity (optionally signed) or NaN, in any
// case. The value is rounded once, straight from the decimal text to the
// nearest float; out of range gives +-Infinity, tiny values 0 or a subnormal.
// This is the exact general reader: the syntax checked in one pass, then
// Clinger's fast path where it is sure, else from_chars. The record reader's
// fast path for plain decimals (plain_decimal.h) is held to it.

#include <optional>
#include <string_view>

namespace dedup {

// The float the text stands for, or nothing when the whole text is not a
// number of the form above.
std::optional<float> parse_number(std::string_view text);

}  // namespace dedup
