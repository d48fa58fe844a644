#include "stations/value_scanner.h"

#include <bit>
#include <cassert>
#include <cstdint>

#include "util/digits.h"
#include "util/fatal_error.h"
#include "stations/plain_decimal.h"
#include "stations/unquoted_value.h"

namespace dedup {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Moves past the separator after a value of a common record (blanks, at most
// one comma, blanks); false when there is none.
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

// A text value of a common record: unquoted, without '*', ending before `limit`
// at a blank or comma, searched eight bytes at a time; on success `p` is moved
// past it. `content_end` is the end of the readable bytes.
[[gnu::always_inline]] inline bool read_common_text(const char*& p, const char* limit, const char* content_end,
                                                    IdText& field) {
  const char* end = p;
  while (true) {
    if (end > limit) return false;
    const std::uint64_t below = swar::below_digits(swar::load_word(end));
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
  field.assign_words(p, static_cast<std::size_t>(end - p), content_end);
  p = end;
  return true;
}

}  // namespace

ValueScanner::ValueScanner(std::string_view content, std::string_view file)
    : content_(content), file_(file) {
  // A UTF-8 byte-order mark at the very start is no part of the first value.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

bool ValueScanner::at_line_end() const {
  if (at_end()) return false;
  const char c = content_[pos_];
  // A carriage return alone ends a line, as old Mac files end theirs.
  return c == '\n' || (c == '\r' && (pos_ + 1 == content_.size() || content_[pos_ + 1] != '\n'));
}

bool ValueScanner::at_separator() const { return at_end() || ends_value(content_[pos_]); }

void ValueScanner::skip_blanks_and_line_ends() {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  std::size_t pos = pos_;
  for (; pos < size; ++pos) {
    const char c = data[pos];
    if (c == ' ' || c == '\t') continue;
    if (c == '\n') {
      ++line_;
    } else if (c == '\r') {
      // A carriage return before a line feed is a blank, alone a line end.
      if (pos + 1 == size || data[pos + 1] != '\n') ++line_;
    } else {
      break;
    }
  }
  pos_ = pos;
}

std::int32_t ValueScanner::read_common_records(StationTable& table, RecordPlaces& places) {
  const std::int32_t first = table.n;
  assert(first >= 0 && first <= table.capacity());
  assert(repeats_left_ == 0 && !separator_pending_);  // at the start of a record
  static_assert(kSlack >= kPlainDecimalReach && kSlack >= sizeof(std::uint64_t));
  if (content_.size() < kSlack) return 0;
  const char* const data = content_.data();
  const char* const end = data + content_.size();
  const char* const limit = end - kSlack;
  // Held here, since the texts stored below could alias the table.
  IdText* const ids = table.id;
  IdText* const orgaos = table.orgao;
  float* const lons = table.lon;
  float* const lats = table.lat;
  float* const precs = table.prec;
  const bool want_lines = places.want_lines;
  const bool want_spans = places.want_spans;
  // So are the position and line, written back where another member moves them.
  std::size_t pos = pos_;
  std::int64_t line = line_;
  const auto other_member = [&](void (ValueScanner::*move)()) {
    pos_ = pos;
    line_ = line;
    (this->*move)();
    pos = pos_;
    line = line_;
  };
  std::int32_t slot = first;
  const std::int32_t capacity = table.capacity();
  for (; slot < capacity; ++slot) {
    if (pos >= content_.size() || static_cast<unsigned char>(data[pos]) <= ' ') {
      other_member(&ValueScanner::skip_blanks_and_line_ends);
    }
    const std::size_t start = pos;
    const char* p = data + pos;
    // Stored value by value; a record given up on is cleared (src/README.md).
    if (p > limit || !read_common_text(p, limit, end, ids[slot]) || !skip_separator(p, limit) ||
        !read_common_text(p, limit, end, orgaos[slot]) || !skip_separator(p, limit) ||
        !read_plain_decimal(p, limit, lons[slot]) || !skip_separator(p, limit) ||
        !read_plain_decimal(p, limit, lats[slot]) || !skip_separator(p, limit) ||
        !read_plain_decimal(p, limit, precs[slot])) {
      table.store(slot, StationRecord{});
      break;
    }
    if (want_lines) places.first_lines.push_back(line);
    // The number ended before `limit`; most lines end right after it.
    pos = static_cast<std::size_t>(p - data);
    if (*p == '\n') {
      ++pos;
      ++line;
    } else {
      other_member(&ValueScanner::skip_rest_of_line);
    }
    if (want_spans) places.spans.push_back({line_start(start), pos});
  }
  pos_ = pos;
  line_ = line;
  return slot - first;
}

bool ValueScanner::read_plain_number(const Value& value, float& number) const {
  if (value.quoted || content_.size() < kSlack) return false;
  const char* p = value.text.data();
  const char* const limit = content_.data() + content_.size() - kSlack;
  return p <= limit && read_plain_decimal(p, limit, number) && p == value.text.data() + value.text.size();
}

void ValueScanner::skip_rest_of_line() {
  repeats_left_ = 0;
  separator_pending_ = false;
  while (!at_end() && !at_line_end()) ++pos_;
  if (!at_end()) {
    ++pos_;
    ++line_;
  }
}

std::size_t ValueScanner::line_start(std::size_t at) const {
  while (at > 0 && is_blank(content_[at - 1])) --at;
  return at;
}

ValueScanner::Value ValueScanner::next() {
  if (repeats_left_ > 0) {
    --repeats_left_;
    return repeated_;
  }
  skip_blanks_and_line_ends();
  if (separator_pending_ && !at_end() && content_[pos_] == ',') {
    ++pos_;
    skip_blanks_and_line_ends();
  }
  separator_pending_ = false;

  Value value;
  value.line = line_;
  if (at_end()) return value;
  const char c = content_[pos_];
  if (c == ',' || c == '/') {
    ++pos_;
    value.kind = c == ',' ? Kind::kEmpty : Kind::kEndOfRecord;
    return value;
  }

  separator_pending_ = true;
  value.kind = Kind::kText;
  // A repeat is an unquoted value with a '*' right after its leading digits:
  // read whole like any other, then what follows its '*' is read again.
  const std::size_t start = pos_;
  if (!read_value(value)) return value;
  std::int64_t count = 0;
  std::size_t star = 0;  // the text holds a '*', which ends its leading digits
  for (; is_digit(value.text[star]); ++star) {
    if (count < kRepeatCap) count = count * 10 + (value.text[star] - '0');
  }
  if (star == 0 || value.text[star] != '*' || count == 0) return value;
  pos_ = start + star + 1;
  if (at_separator()) {
    value.kind = Kind::kEmpty;
  } else {
    read_value(value);
  }
  repeated_ = value;
  repeats_left_ = count - 1;
  return value;
}

bool ValueScanner::read_value(Value& value) {
  const char c = content_[pos_];
  if (c != '\'' && c != '"') return read_unquoted(value);
  read_quoted(value);
  return false;
}

bool ValueScanner::read_unquoted(Value& value) {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  const std::size_t start = pos_;
  std::size_t pos = start;
  bool star = false;
  while (true) {
    if (pos + sizeof(std::uint64_t) <= size) {
      const std::uint64_t below = swar::below_digits(swar::load_word(data + pos));
      if (below == 0) {
        pos += sizeof(std::uint64_t);
        continue;
      }
      pos += static_cast<std::size_t>(std::countr_zero(below)) / 8;
    } else {
      while (pos < size && static_cast<unsigned char>(data[pos]) >= '0') ++pos;
      if (pos == size) break;
    }
    const char c = data[pos];
    if (ends_value(c)) break;
    star = star || c == '*';
    ++pos;
  }
  pos_ = pos;
  value.text = content_.substr(start, pos - start);
  return star;
}

void ValueScanner::read_quoted(Value& value) {
  const char delimiter = content_[pos_++];
  unquoted_.clear();
  while (true) {
    if (at_end() || content_[pos_] == '\n' || content_[pos_] == '\r') {
      fail(value.line, std::string("quoted value still open at the end of the line (missing closing ") +
                           delimiter + ")");
    }
    const char c = content_[pos_++];
    if (c != delimiter) {
      unquoted_ += c;
    } else if (!at_end() && content_[pos_] == delimiter) {
      unquoted_ += c;
      ++pos_;
    } else {
      break;
    }
  }
  if (!at_separator()) {
    fail(value.line, std::string("text right after a closing ") + delimiter +
                         " (a quoted value must be followed by a blank, comma, slash or line end)");
  }
  value.quoted = true;
  value.text = unquoted_;
}

void ValueScanner::fail(std::int64_t line, const std::string& what) const {
  throw FatalError(std::string(file_) + ":" + std::to_string(line) + ": " + what);
}

}  // namespace dedup
