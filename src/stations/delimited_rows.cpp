#include "stations/delimited_rows.h"

#include <bit>
#include <cstring>

#include "stations/plain_decimal.h"
#include "util/digits.h"

namespace dedup {
namespace {

// The high bit of each byte of `word` that equals `byte`, of the lowest
// such byte exactly (a SWAR byte comparison: a borrow only runs upwards
// from a byte that is zero after the exclusive or).
[[gnu::always_inline]] inline std::uint64_t bytes_equal(std::uint64_t word, char byte) {
  const std::uint64_t x = word ^ (kEachByte * static_cast<unsigned char>(byte));
  return (x - kEachByte) & ~x & (kEachByte * 0x80);
}

// The same for the bytes below 14, which hold tab and both line end bytes.
[[gnu::always_inline]] inline std::uint64_t bytes_below_14(std::uint64_t word) {
  return (word - kEachByte * 14) & ~word & (kEachByte * 0x80);
}

}  // namespace

std::string_view cell_text(const DelimitedCell& cell, std::string& scratch) {
  if (!cell.doubled_quotes) return cell.text;
  scratch.clear();
  for (std::size_t at = 0; at < cell.text.size(); ++at) {
    scratch += cell.text[at];
    if (cell.text[at] == '"') ++at;
  }
  return scratch;
}

DelimitedRows::DelimitedRows(std::string_view content, std::size_t start, std::int64_t line, char delimiter)
    : content_(content), pos_(start), line_(line), delimiter_(delimiter) {}

void DelimitedRows::skip_line_end() {
  if (pos_ >= content_.size()) return;
  if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

[[gnu::always_inline]] inline std::size_t DelimitedRows::next_stop(std::size_t from) const {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  std::size_t at = from;
  // Eight bytes at a time while eight remain: the first that is the
  // delimiter, a quotation mark or below 14; a byte below 14 other than a
  // line end or the delimiter (a tab in a field) is passed over.
  while (at + sizeof(std::uint64_t) <= size) {
    const std::uint64_t word = swar::load_word(data + at);
    const std::uint64_t stops = bytes_equal(word, delimiter_) | bytes_equal(word, '"') | bytes_below_14(word);
    if (stops == 0) {
      at += sizeof(std::uint64_t);
      continue;
    }
    at += static_cast<std::size_t>(std::countr_zero(stops)) / 8;
    if (ends_cell(data[at]) || data[at] == '"') return at;
    ++at;
  }
  while (at < size && !ends_cell(data[at]) && data[at] != '"') ++at;
  return at;
}

DelimitedRows::Status DelimitedRows::read_quoted(std::size_t open, DelimitedCell& cell, std::size_t& end) {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  const std::size_t start = open + 1;
  const std::int64_t open_line = line_;
  std::size_t at = start;
  // The closing quote, eight bytes at a time while eight remain, stopping
  // at each quotation mark and at each byte below 14 (line ends, to count).
  while (true) {
    if (at + sizeof(std::uint64_t) <= size) {
      const std::uint64_t word = swar::load_word(data + at);
      const std::uint64_t stops = bytes_equal(word, '"') | bytes_below_14(word);
      if (stops == 0) {
        at += sizeof(std::uint64_t);
        continue;
      }
      at += static_cast<std::size_t>(std::countr_zero(stops)) / 8;
    } else if (at == size) {
      fault_line_ = open_line;
      return Status::kUnclosedQuote;
    }
    const char c = data[at++];
    if (c == '"') {
      if (at == size || data[at] != '"') break;
      cell.doubled_quotes = true;
      ++at;
    } else if (c == '\n' || (c == '\r' && (at == size || data[at] != '\n'))) {
      ++line_;
      cell.line_end = true;
    }
  }
  cell.quoted = true;
  cell.text = content_.substr(start, at - 1 - start);
  end = at;
  while (end < size && is_blank(data[end])) ++end;
  if (end < size && !ends_cell(data[end])) {
    fault_line_ = line_;
    return Status::kTextAfterQuote;
  }
  return Status::kRow;
}

DelimitedRows::Status DelimitedRows::next(std::vector<DelimitedCell>& cells) {
  cells.clear();
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  while (true) {
    std::size_t at = pos_;
    while (at < size && is_blank(data[at])) ++at;
    if (at == size) {
      pos_ = size;
      return Status::kEnd;
    }
    if (data[at] != '\n' && data[at] != '\r') break;
    pos_ = at;
    skip_line_end();
  }
  row_begin_ = pos_;
  row_line_ = line_;
  std::size_t cell_start = pos_;
  std::size_t at = pos_;
  while (true) {
    at = next_stop(at);
    if (at < size && data[at] == '"') {
      // A quotation mark opens a quoted cell only as its first byte after
      // blanks; elsewhere it is an ordinary byte.
      std::size_t first = cell_start;
      while (is_blank(data[first])) ++first;
      if (first != at) {
        ++at;
        continue;
      }
      DelimitedCell cell;
      if (const Status status = read_quoted(at, cell, at); status != Status::kRow) return status;
      cells.push_back(cell);
    } else {
      cells.push_back({std::string_view(data + cell_start, at - cell_start)});
    }
    if (at < size && data[at] == delimiter_) {
      cell_start = ++at;
      continue;
    }
    pos_ = at;
    skip_line_end();
    row_end_ = pos_;
    return Status::kRow;
  }
}

}  // namespace dedup
