#include "stations/delimited_number.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "util/digits.h"

#include "stations/number_text.h"
#include "stations/plain_decimal.h"

namespace dedup {
namespace {

[[gnu::always_inline]] inline std::string_view trim(std::string_view cell) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (!cell.empty() && !blank(cell.front()) && !blank(cell.back())) return cell;
  while (!cell.empty() && blank(cell.front())) cell.remove_prefix(1);
  while (!cell.empty() && blank(cell.back())) cell.remove_suffix(1);
  return cell;
}

// The decimal marks allowed, as read_plain_digits takes them.
DelimitedNumbers::Marks marks(bool comma, bool point) {
  if (comma && point) return {',', '.'};
  return comma ? DelimitedNumbers::Marks{',', ','} : DelimitedNumbers::Marks{'.', '.'};
}

}  // namespace

DelimitedNumbers::DelimitedNumbers(DelimitedSyntax::Decimal decimal, char delimiter,
                                   const std::vector<std::string>& missing)
    : comma_unquoted_(decimal == DelimitedSyntax::Decimal::kComma ||
                      (decimal == DelimitedSyntax::Decimal::kAuto && delimiter != ',')),
      comma_quoted_(decimal != DelimitedSyntax::Decimal::kPoint),
      point_(decimal != DelimitedSyntax::Decimal::kComma),
      unquoted_marks_(marks(comma_unquoted_, point_)),
      quoted_marks_(marks(comma_quoted_, point_)) {
  static_assert(sizeof scratch_ - kShort - 1 >= kPlainDecimalReach);
  scratch_.fill(' ');
  for (const std::string& value : missing) {
    missing_texts_.push_back(value);
    // A missing value is read as a quoted cell would be: either mark.
    float number;
    const std::string_view text = trimmed(value);
    if (convert(text, text.data() + text.size(), text.find(',') != std::string_view::npos, number)) {
      missing_floats_.push_back(std::bit_cast<std::uint32_t>(number));
    }
  }
}

bool DelimitedNumbers::is_missing(float value) const {
  return std::ranges::find(missing_floats_, std::bit_cast<std::uint32_t>(value)) != missing_floats_.end();
}

std::string_view DelimitedNumbers::trimmed(std::string_view cell) { return trim(cell); }

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
    // The first comma, eight bytes at a time (a SWAR byte comparison whose
    // lowest flag is exact).
    for (std::size_t at = 0; at < text.size(); at += sizeof(std::uint64_t)) {
      const std::uint64_t word = swar::load_word(copy + at) ^ (kEachByte * ',');
      const std::uint64_t commas = (word - kEachByte) & ~word & (kEachByte * 0x80);
      if (commas == 0) continue;
      const std::size_t mark = at + static_cast<std::size_t>(std::countr_zero(commas)) / 8;
      if (mark < text.size()) copy[mark] = '.';
      break;
    }
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
  const std::string_view text = trim(cell);
  if (text.empty()) return Result::kMissing;
  if (convert(text, readable_end, quoted ? comma_quoted_ : comma_unquoted_, value)) {
    return is_missing(value) ? Result::kMissing : Result::kNumber;
  }
  const bool missing = std::find(missing_texts_.begin(), missing_texts_.end(), text) != missing_texts_.end();
  return missing ? Result::kMissing : Result::kNotANumber;
}

}  // namespace dedup
