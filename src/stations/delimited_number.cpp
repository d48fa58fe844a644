#include "stations/delimited_number.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "stations/delimited_rows.h"
#include "stations/number_text.h"
#include "stations/plain_decimal.h"

namespace dedup {
namespace {

using Decimal = DelimitedSyntax::Decimal;

// Whether a comma is a decimal mark: in a quoted cell, or in an unquoted one.
bool comma_is_mark(Decimal decimal, char delimiter, bool quoted) {
  return decimal == Decimal::kComma || (decimal == Decimal::kAuto && (quoted || delimiter != ','));
}

// The decimal marks allowed, as read_plain_digits takes them.
DelimitedNumbers::Marks marks(Decimal decimal, char delimiter, bool quoted) {
  const bool comma = comma_is_mark(decimal, delimiter, quoted);
  if (comma && decimal != Decimal::kComma) return {',', '.'};
  return comma ? DelimitedNumbers::Marks{',', ','} : DelimitedNumbers::Marks{'.', '.'};
}

}  // namespace

DelimitedNumbers::DelimitedNumbers(Decimal decimal, char delimiter, const std::vector<std::string>& missing)
    : comma_unquoted_(comma_is_mark(decimal, delimiter, false)),
      comma_quoted_(comma_is_mark(decimal, delimiter, true)),
      point_(decimal != Decimal::kComma),
      unquoted_marks_(marks(decimal, delimiter, false)),
      quoted_marks_(marks(decimal, delimiter, true)) {
  static_assert(sizeof scratch_ - kShort - 1 >= kPlainDecimalReach);
  scratch_.fill(' ');
  for (const std::string& value : missing) {
    missing_texts_.push_back(value);
    // A missing value is read as a quoted cell would be: either mark.
    float number;
    const std::string_view text = without_blanks(value);
    if (convert(text, text.data() + text.size(), text.find(',') != std::string_view::npos, number)) {
      missing_floats_.push_back(std::bit_cast<std::uint32_t>(number));
    }
  }
}

bool DelimitedNumbers::is_missing(float value) const {
  return std::ranges::find(missing_floats_, std::bit_cast<std::uint32_t>(value)) != missing_floats_.end();
}

bool DelimitedNumbers::convert(std::string_view text, const char* readable_end, bool comma, float& value) {
  char* copy;
  if (text.size() <= kShort) {
    copy = scratch_.data();
    // A copy of fixed size, done inline, where the bytes past the text can
    // be read.
    if (readable_end - text.data() >= static_cast<std::ptrdiff_t>(kShort)) {
      std::memcpy(copy, text.data(), kShort);
    } else {
      std::memcpy(copy, text.data(), text.size());
    }
    copy[text.size()] = ' ';
  } else {
    long_scratch_.assign(text);
    long_scratch_.append(sizeof(std::uint64_t), ' ');
    copy = long_scratch_.data();
  }
  // A comma allowed as the mark is read as a point; any further mark, or
  // a comma not allowed, leaves a text that is no number.
  if (!point_ && std::memchr(copy, '.', text.size()) != nullptr) return false;
  if (comma) {
    if (char* const mark = static_cast<char*>(std::memchr(copy, ',', text.size()))) *mark = '.';
  }
  if (text.size() <= kShort) {
    // The fast path for plain decimals, on the copy, which ends at a blank
    // and has room after it for the words the fast path reads.
    const char* p = copy;
    if (read_plain_decimal(p, copy + text.size() + 1, value) && p == copy + text.size()) return true;
  }
  const auto parsed = parse_number({copy, text.size()});
  if (!parsed) return false;
  value = *parsed;
  return true;
}

DelimitedNumbers::Result DelimitedNumbers::read(std::string_view cell, bool quoted, const char* readable_end,
                                                float& value) {
  const std::string_view text = without_blanks(cell);
  if (text.empty()) return Result::kMissing;
  if (convert(text, readable_end, quoted ? comma_quoted_ : comma_unquoted_, value)) {
    return is_missing(value) ? Result::kMissing : Result::kNumber;
  }
  const bool missing = std::find(missing_texts_.begin(), missing_texts_.end(), text) != missing_texts_.end();
  return missing ? Result::kMissing : Result::kNotANumber;
}

}  // namespace dedup
