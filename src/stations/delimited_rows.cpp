#include "stations/delimited_rows.h"

#include <cstring>

namespace dedup {

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

DelimitedRows::Status DelimitedRows::read_quoted(std::size_t open, DelimitedCell& cell, std::size_t& end) {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  const std::size_t start = open + 1;
  std::size_t close = start;
  while (true) {
    const void* found = std::memchr(data + close, '"', size - close);
    if (found == nullptr) {
      fault_line_ = line_;
      return Status::kUnclosedQuote;
    }
    close = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (close + 1 < size && data[close + 1] == '"') {
      cell.doubled_quotes = true;
      close += 2;
      continue;
    }
    break;
  }
  cell.quoted = true;
  cell.text = content_.substr(start, close - start);
  for (std::size_t at = start; at < close; ++at) {
    if (data[at] == '\n' || (data[at] == '\r' && data[at + 1] != '\n')) {
      ++line_;
      cell.line_end = true;
    }
  }
  end = close + 1;
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
  while (true) {
    DelimitedCell cell;
    std::size_t end = pos_;
    while (end < size && is_blank(data[end])) ++end;
    if (end < size && data[end] == '"') {
      if (const Status status = read_quoted(end, cell, end); status != Status::kRow) return status;
    } else {
      end = pos_;
      while (end < size && !ends_cell(data[end])) ++end;
      cell.text = content_.substr(pos_, end - pos_);
    }
    cells.push_back(cell);
    pos_ = end;
    if (end < size && data[end] == delimiter_) {
      ++pos_;
      continue;
    }
    skip_line_end();
    row_end_ = pos_;
    return Status::kRow;
  }
}

}  // namespace dedup
