#include "stations/delimited_number.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "stations/number_text.h"
#include "stations/plain_decimal.h"

namespace dedup {

DelimitedNumbers::DelimitedNumbers(DelimitedSyntax::Decimal decimal, char delimiter,
                                   const std::vector<std::string>& missing)
    : comma_unquoted_(decimal == DelimitedSyntax::Decimal::kComma ||
                      (decimal == DelimitedSyntax::Decimal::kAuto && delimiter != ',')),
      comma_quoted_(decimal != DelimitedSyntax::Decimal::kPoint),
      point_(decimal != DelimitedSyntax::Decimal::kComma) {
  static_assert(sizeof scratch_ - kShort - 1 >= kPlainDecimalReach);
  scratch_.fill(' ');
  for (const std::string& value : missing) {
    missing_texts_.push_back(value);
    // A missing value is read as a quoted cell would be: either mark.
    float number;
    const std::string_view text = trimmed(value);
    if (convert(text, text.find(',') != std::string_view::npos, number)) {
      missing_floats_.push_back(std::bit_cast<std::uint32_t>(number));
    }
  }
}

std::string_view DelimitedNumbers::trimmed(std::string_view cell) {
  const std::size_t first = cell.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
}

bool DelimitedNumbers::convert(std::string_view text, bool comma, float& value) {
  const std::size_t mark = text.find_first_of(",.");
  if (mark != std::string_view::npos) {
    if (text[mark] == ',' ? !comma : !point_) return false;
    if (text.find_first_of(",.", mark + 1) != std::string_view::npos) return false;
  }
  char* copy;
  if (text.size() <= kShort) {
    copy = scratch_.data();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = ' ';
    // The fast path for plain decimals, on the copy, which ends at a blank
    // and has room after it for the words the fast path reads.
    if (mark != std::string_view::npos) copy[mark] = '.';
    const char* p = copy;
    if (read_plain_decimal(p, copy + text.size() + 1, value) && p == copy + text.size()) return true;
  } else {
    long_scratch_.assign(text);
    copy = long_scratch_.data();
    if (mark != std::string_view::npos) copy[mark] = '.';
  }
  const auto parsed = parse_number({copy, text.size()});
  if (!parsed) return false;
  value = *parsed;
  return true;
}

DelimitedNumbers::Result DelimitedNumbers::read(std::string_view cell, bool quoted, float& value) {
  const std::string_view text = trimmed(cell);
  if (text.empty()) return Result::kMissing;
  if (convert(text, quoted ? comma_quoted_ : comma_unquoted_, value)) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const bool missing = std::find(missing_floats_.begin(), missing_floats_.end(), bits) != missing_floats_.end();
    return missing ? Result::kMissing : Result::kNumber;
  }
  const bool missing = std::find(missing_texts_.begin(), missing_texts_.end(), text) != missing_texts_.end();
  return missing ? Result::kMissing : Result::kNotANumber;
}

}  // namespace dedup
