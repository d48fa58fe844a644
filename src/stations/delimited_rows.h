#pragma once
// Splits a delimited export into rows of cells by RFC 4180 (Shafranovich,
// 2005), widened as spreadsheets write them (src/README.md, "The delimited
// export"); every field is counted, only the cells asked for are kept.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dedup {

struct DelimitedCell {
  std::string_view text;        // quoted: the bytes between the quotes, "" still doubled
  bool quoted = false;
  bool doubled_quotes = false;  // the text holds "" for one '"'
  bool line_end = false;        // quoted, holding a line end
};

// `text` without the blanks (spaces, tabs) around it.
inline std::string_view without_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The text a cell stands for: its own bytes, or those with "" undone,
// written into `scratch`.
std::string_view cell_text(const DelimitedCell& cell, std::string& scratch);

struct DelimitedRow {
  std::vector<DelimitedCell> cells;  // the kept cells (see DelimitedRows)
  std::size_t fields = 0;            // every field of the row
  bool trailing_empty = false;       // the last field is empty and unquoted
  bool line_end = false;             // a cell, kept or not, holds a line end
};

class DelimitedRows {
 public:
  enum class Status { kRow, kEnd, kUnclosedQuote, kTextAfterQuote };

  // Rows from byte `start` of `content`, which lies on line `line`, at the
  // start of that line. With `kept` empty every cell is kept, in order;
  // otherwise cells[k] is the cell of field kept[k] (from 0).
  // REQUIRES: `kept` in increasing order.
  DelimitedRows(std::string_view content, std::size_t start, std::int64_t line, char delimiter,
                std::vector<std::size_t> kept = {});

  // The next row into `row`, or the end, or the fault that stops the split;
  // kept cells of fields the row lacks keep what they held.
  Status next(DelimitedRow& row);

  // The last row read: its bytes from the start of its first line to past
  // its line end (or the end of the content), and its first line.
  std::size_t row_begin() const { return row_begin_; }
  std::size_t row_end() const { return row_end_; }
  std::int64_t row_line() const { return row_line_; }
  // Where the fault lies: its line, and for text after a quote its field (from 0).
  std::int64_t fault_line() const { return fault_line_; }
  std::size_t fault_field() const { return fault_field_; }

 private:
  bool is_blank(char c) const { return c == ' ' || (c == '\t' && delimiter_ != '\t'); }
  bool ends_cell(char c) const { return c == delimiter_ || c == '\n' || c == '\r'; }
  // Moves past the line end at pos_, if any.
  void skip_line_end();
  // Reads the quoted cell whose opening quote is at `open`; on success
  // `end` is past its closing quote and the blanks after it.
  Status read_quoted(std::size_t open, DelimitedCell& cell, std::size_t& end);

  std::string_view content_;
  std::size_t pos_;
  std::int64_t line_;
  char delimiter_;
  std::vector<std::size_t> kept_;  // with one more field past the last, never reached
  std::size_t row_begin_ = 0;
  std::size_t row_end_ = 0;
  std::int64_t row_line_ = 0;
  std::int64_t fault_line_ = 0;
  std::size_t fault_field_ = 0;
};

}  // namespace dedup
