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
// bytes before the end of the content, and every text ends before it: a
// number is read in words from at most 25 bytes after its start, and a text
// is copied in words from at most 7 bytes after its end.
constexpr std::size_t kSlack = 32;
constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

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

// An unquoted text value without '*', ending before `limit`.
[[gnu::always_inline]] inline bool read_text(const char*& p, const char* data, const char* limit, IdText& field) {
  if (*p == '\'' || *p == '"') return false;
  bool star = false;
  const auto start = static_cast<std::size_t>(p - data);
  const std::size_t end = unquoted_end(data, start, static_cast<std::size_t>(limit - data), star);
  if (end == start || star || data + end == limit) return false;
  field.assign_words(p, end - start);
  p = data + end;
  return true;
}

// The digits at the start of `word` (eight bytes of the text, the first in
// the lowest byte): how many there are before the first other byte, up to 8,
// and their value.
struct Digits {
  int count;
  std::uint64_t value;
};

[[gnu::always_inline]] inline Digits leading_digits(std::uint64_t word) {
  // Each byte less '0': a digit byte becomes 0 to 9 and borrows nothing, so
  // the lowest byte that is not a digit is flagged exactly.
  const std::uint64_t values = word - kEachByte * '0';
  const std::uint64_t not_digit = ((values + kEachByte * (0x80 - 10)) | values) & (kEachByte * 0x80);
  const int count = std::countr_zero(not_digit) / 8;
  // The digits moved to the top bytes, below them zeros, then combined
  // pairwise into 2, 4 and 8 digits.
  std::uint64_t digits = count == 0 ? 0 : values << (8 * (8 - count));
  digits = digits * 10 + (digits >> 8);
  digits = (((digits & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
            (((digits >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
  return {count, digits};
}

[[gnu::always_inline]] inline std::uint64_t load_word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// A plain decimal ending before `limit` at a byte that ends a value: an
// optional sign, 1 to 7 digits, and a point followed by up to 15 more digits
// (at most 19 in all), or no point. The float that parse_number gives for its text, by the
// same exact conversion, or by parse_number itself where that conversion
// cannot be sure.
[[gnu::always_inline]] inline bool read_decimal(const char*& p, const char* limit, float& value) {
  static constexpr std::uint64_t kScale[] = {1,      10,      100,      1000,      10000,
                                             100000, 1000000, 10000000, 100000000};
  const char* const start = p;
  const bool negative = *p == '-';
  p += negative || *p == '+';
  const Digits integer = leading_digits(load_word(p));
  if (integer.count == 0 || integer.count == 8) return false;
  p += integer.count;
  std::uint64_t mantissa = integer.value;
  int fraction = 0;
  if (*p == '.') {
    ++p;
    const Digits head = leading_digits(load_word(p));
    mantissa = mantissa * kScale[head.count] + head.value;
    fraction = head.count;
    if (head.count == 8) {
      // At most 19 digits in all, as 10^19 - 1 fits 64 bits.
      const Digits tail = leading_digits(load_word(p + 8));
      if (integer.count + 8 + tail.count > 19) return false;
      mantissa = mantissa * kScale[tail.count] + tail.value;
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
  for (std::int32_t slot = table.n; slot < kMaxStations; ++slot) {
    const char* p = data + scanner.record_start();
    if (p > limit || !read_text(p, data, limit, table.id[slot]) || !skip_separator(p, limit) ||
        !read_text(p, data, limit, table.orgao[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, table.lon[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, table.lat[slot]) || !skip_separator(p, limit) ||
        !read_decimal(p, limit, table.prec[slot])) {
      return;
    }
    if (first_lines != nullptr) first_lines->push_back(scanner.line());
    table.n = slot + 1;
    scanner.end_record_at(static_cast<std::size_t>(p - data));
  }
}

}  // namespace dedup
