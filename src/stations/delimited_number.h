#pragma once
// The number a cell of a delimited export holds: the cell without
// surrounding blanks, in the number syntax of the free-form list
// (number_text.h) with a decimal comma allowed where the syntax says so
// (`decimal` auto: when the delimiter is not a comma or the cell was
// quoted; comma: always, and then a point is no decimal mark; point:
// never); a cell with both marks or two of them is no number. The float is
// the one the free-form reader gives for the same digits with a point. An
// empty cell, or one marked missing (its text is one of `missing`, or it
// reads as the same float as one of them), has no value.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stations/list_syntax.h"

namespace dedup {

class DelimitedNumbers {
 public:
  enum class Result { kNumber, kMissing, kNotANumber };

  DelimitedNumbers(DelimitedSyntax::Decimal decimal, char delimiter, const std::vector<std::string>& missing);

  // `readable_end`: the end of the bytes that can be read past the cell.
  Result read(std::string_view cell, bool quoted, const char* readable_end, float& value);

  // The cell without its surrounding blanks.
  static std::string_view trimmed(std::string_view cell);

 private:
  // The number `text` (already trimmed) stands for, with a comma as the
  // decimal mark when `comma` is true; false when it is none. Read on a
  // copy with the comma made a point: the way for every text that the
  // fast path read in place does not take.
  bool convert(std::string_view text, const char* readable_end, bool comma, float& value);

  static constexpr std::size_t kShort = 40;

  bool comma_unquoted_;
  bool comma_quoted_;
  bool point_;
  std::vector<std::string> missing_texts_;
  std::vector<std::uint32_t> missing_floats_;  // bit patterns
  // A short number with its comma made a point, followed by a blank and by
  // the bytes the fast path may read past it; initialized once.
  std::array<char, kShort + 1 + 32> scratch_;
  std::string long_scratch_;
};

}  // namespace dedup
