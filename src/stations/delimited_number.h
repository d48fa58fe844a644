#pragma once
// The number a cell of a delimited export holds, with the run's decimal
// marks, or that it has none or is no number (rules: src/README.md, "The
// delimited export").

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stations/list_syntax.h"
#include "stations/plain_decimal.h"
#include "stations/quick_decimal.h"

namespace dedup {

class DelimitedNumbers {
 public:
  enum class Result { kNumber, kMissing, kNotANumber };

  DelimitedNumbers(DelimitedSyntax::Decimal decimal, char delimiter, const std::vector<std::string>& missing);

  // The fast path: true, with `value`, for a plain decimal that Clinger's
  // fast path is sure of and that is not missing; read() settles the rest.
  // REQUIRES: kPlainDecimalReach bytes from the start of the cell can be read.
  [[gnu::always_inline]] bool read_quickly(std::string_view cell, bool quoted, float& value) const {
    const char* p = cell.data();
    const Marks& marks = quoted ? quoted_marks_ : unquoted_marks_;
    PlainDecimal number;
    if (!read_plain_digits(p, marks.mark, marks.other_mark, number) || p != cell.data() + cell.size()) return false;
    const auto converted = convert_quickly(number.negative, number.mantissa, -number.fraction);
    if (!converted) return false;
    value = *converted;
    return missing_floats_.empty() || !is_missing(value);
  }

  // `readable_end`: the end of the bytes that can be read past the cell.
  Result read(std::string_view cell, bool quoted, const char* readable_end, float& value);

  // The decimal marks of a cell, as read_plain_digits takes them.
  struct Marks {
    char mark;
    char other_mark;
  };

 private:
  bool is_missing(float value) const;
  // The number `text` (trimmed) stands for, with a comma as the mark when
  // `comma`, read on a copy with the comma made a point; false for none.
  bool convert(std::string_view text, const char* readable_end, bool comma, float& value);

  static constexpr std::size_t kShort = 40;

  bool comma_unquoted_;
  bool comma_quoted_;
  bool point_;
  Marks unquoted_marks_;
  Marks quoted_marks_;
  std::vector<std::string> missing_texts_;
  std::vector<std::uint32_t> missing_floats_;  // bit patterns
  // A short number with its comma made a point, followed by a blank and by
  // the bytes the fast path may read past it; initialized once.
  std::array<char, kShort + 1 + 32> scratch_;
  std::string long_scratch_;
};

}  // namespace dedup
