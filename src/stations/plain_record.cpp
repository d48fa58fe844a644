#include "stations/plain_record.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "stations/number_text.h"
#include "stations/quick_decimal.h"
#include "stations/unquoted_value.h"

namespace dedup {
namespace {

// Every value of the record starts at or before `limit`, which lies this many
// bytes before the end of the content, and every text ends before it. The
// words read for a text end at most 7 bytes past `limit`, those for a number
// at most 26 bytes past its start.
constexpr std::size_t kSlack = 32;
constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

[[gnu::always_inline]] inline std::uint64_t load_word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Moves past the separator after a value: blanks, at most one comma, blanks.
// False when there is none (the value ended at a line end or slash).
[[gnu::always_inline]] inline bool skip_separator(const char*& p, const char* limit) {
  // The common separator, one blank before a byte that starts a value.
  if (*p == ' ' && static_cast<unsigned char>(p[1]) > ',') {
    ++p;
    return true;
  }
  const char* const end_of_value = p;
  while (p != limit && is_blank(*p)) ++p;
  if (p != limit && *p == ',') {
    ++p;
    while (p != limit && is_blank(*p)) ++p;
  }
  return p != end_of_value;
}

// An unquoted text value, ending before `limit` at a blank or comma; any
// other byte that ends a value, a '*' (which may make a repeat) and a quote
// that opens the value make it no common text. Eight bytes are searched at
// once for the first byte below '0'.
[[gnu::always_inline]] inline bool read_text(const char*& p, const char* limit, IdText& field) {
  const char* end = p;
  while (true) {
    if (end > limit) return false;
    const std::uint64_t below = below_digits(load_word(end));
    if (below == 0) {
      end += sizeof(std::uint64_t);
      continue;
    }
    end += std::countr_zero(below) / 8;
    const char c = *end;
    if (c == ' ' || c == ',' || c == '\t') break;
    if (ends_value(c) || c == '*' || (end == p && (c == '\'' || c == '"'))) return false;
    ++end;
  }
  if (end == p || end >= limit) return false;
  field.assign_words(p, static_cast<std::size_t>(end - p));
  p = end;
  return true;
}

// The digits at the start of `word` (eight bytes of the text, the first in
// the lowest byte): how many there are before the first other byte, up to 8,
// and every byte less '0'.
struct Digits {
  int count;
  std::uint64_t values;
};

[[gnu::always_inline]] inline Digits leading_digits(std::uint64_t word) {
  // A digit byte becomes 0 to 9 and borrows nothing, so the lowest byte that
  // is not a digit is flagged exactly.
  const std::uint64_t values = word - kEachByte * '0';
  const std::uint64_t not_digit = ((values + kEachByte * (0x80 - 10)) | values) & (kEachByte * 0x80);
  return {std::countr_zero(not_digit) / 8, values};
}

// The value of the digits: moved to the top bytes, zeros below them, then
// combined pairwise into 2, 4 and 8 digits.
[[gnu::always_inline]] inline std::uint64_t value_of(const Digits& digits) {
  std::uint64_t v = digits.count == 0 ? 0 : digits.values << (8 * (8 - digits.count));
  v = v * 10 + (v >> 8);
  return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
}

// The same in half the steps for at most 4 digits, the common integer part
// and the rest of a long fraction.
[[gnu::always_inline]] inline std::uint64_t short_value_of(const Digits& digits) {
  if (digits.count > 4) return value_of(digits);
  // Within 32 bits, where no digits (a shift by 32) leave 0.
  std::uint32_t v = static_cast<std::uint32_t>((digits.values & 0xFFFFFFFF) << (8 * (4 - digits.count)));
  v = v * 10 + (v >> 8);
  return ((v & 0x00FF00FF) * (1 + (100 << 16))) >> 16;
}

// A plain decimal ending before `limit` at a byte that ends a value: an
// optional sign, 1 to 8 digits, and a point followed by up to 15 more digits
// (at most 19 in all), or no point. The float that parse_number gives for
// its text, by the same exact conversion, or by parse_number itself where
// that conversion cannot be sure.
[[gnu::always_inline]] inline bool read_decimal(const char*& p, const char* limit, float& value) {
  static constexpr std::uint64_t kScale[] = {1,      10,      100,      1000,      10000,
                                             100000, 1000000, 10000000, 100000000};
  const char* const start = p;
  const bool negative = *p == '-';
  p += negative || *p == '+';
  const Digits integer = leading_digits(load_word(p));
  if (integer.count == 0) return false;
  p += integer.count;
  std::uint64_t mantissa = short_value_of(integer);
  int fraction = 0;
  if (*p == '.') {
    ++p;
    const Digits head = leading_digits(load_word(p));
    mantissa = mantissa * kScale[head.count] + value_of(head);
    fraction = head.count;
    if (head.count == 8) {
      // At most 19 digits in all, as 10^19 - 1 fits 64 bits.
      const Digits tail = leading_digits(load_word(p + 8));
      if (integer.count + 8 + tail.count > 19) return false;
      mantissa = mantissa * kScale[tail.count] + short_value_of(tail);
      fraction += tail.count;
    }
    p += fraction;
  }
  if (p >= limit || !ends_value(*p)) return false;
  auto converted = convert_quickly(negative, mantissa, -fraction);
  if (!converted) converted = parse_number({start, static_cast<std::size_t>(p - start)});
  if (!converted) return false;
  value = *converted;
  return true;
}

}  // namespace

void read_plain_records(ValueScanner& scanner, StationTable& table, std::vector<std::int64_t>* first_lines) {
  const std::string_view content = scanner.content();
  if (content.size() < kSlack) return;
  const char* const data = content.data();
  const char* const limit = data + content.size() - kSlack;
  // The columns, held here: the texts stored below could alias the table.
  IdText* const ids = table.id;
  IdText* const orgaos = table.orgao;
  float* const lons = table.lon;
  float* const lats = table.lat;
  float* const precs = table.prec;
  std::int32_t slot = table.n;
  const std::int32_t capacity = table.capacity();
  for (; slot < capacity; ++slot) {
    const char* p = data + scanner.record_start();
    if (p > limit || !read_text(p, limit, ids[slot]) || !skip_separator(p, limit) ||
        !read_text(p, limit, orgaos[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, lons[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, lats[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, precs[slot])) {
      break;
    }
    if (first_lines != nullptr) first_lines->push_back(scanner.line());
    scanner.end_record_at(static_cast<std::size_t>(p - data));
  }
  table.n = slot;
}

}  // namespace dedup
