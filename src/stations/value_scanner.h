#pragma once
// Splits the text of a station list into values by the free-form rules:
// values are separated by blanks (space, tab), by one comma with or without
// blanks around it, or by line ends. A line ends at a line feed, a carriage
// return and line feed, or a carriage return alone; a UTF-8 byte-order mark
// at the very start of the text is skipped. A
// value is unquoted (up to the next blank, comma, slash or line end) or quoted
// between apostrophes or quotation marks, a doubled delimiter standing for
// one; a quoted value must end on its own line. "r*c" stands for r copies of
// c and "r*" for r empty values; two commas with only blanks or line ends
// between them, or a comma before a record's first value, give an empty value;
// a slash ends the record. Malformed quoting is a FatalError with the line.

#include <cstdint>
#include <string>
#include <string_view>

namespace dedup {

class ValueScanner {
 public:
  enum class Kind { kText, kEmpty, kEndOfRecord, kEndOfFile };

  struct Value {
    Kind kind = Kind::kEndOfFile;
    bool quoted = false;
    std::int64_t line = 0;  // line on which the value starts
    std::string_view text;  // valid until the next call of next()
  };

  // `file` names the list in diagnostics.
  ValueScanner(std::string_view content, std::string_view file);

  // The next value of the current record.
  Value next();

  // The common record read in one pass: at the start of a record, five
  // unquoted values on one line, none holding '*', separated by blanks or
  // one comma with blanks around it. Stores their texts (valid as long as
  // the content) and the record's line, and skips the rest of that line;
  // otherwise returns false, having moved at most past blank lines, and
  // next() reads the record value by value.
  bool next_plain_record(std::string_view (&values)[5], std::int64_t& line);

  // Skips the rest of the current line: the next record starts on the next.
  void skip_rest_of_line();

 private:
  bool at_end() const { return pos_ >= content_.size(); }
  bool at_line_end() const;
  bool at_separator() const;
  void skip_blanks_and_line_ends();
  void read_value(Value& value);
  void read_quoted(Value& value);
  // Reads up to the next blank, comma, slash or line end; true when the
  // text holds a '*' (it may then be a repeat).
  bool read_unquoted(Value& value);
  // The end of the unquoted value starting at `pos`: the next blank, comma,
  // slash, line end byte or the end of the content. `star` tells whether the
  // value holds a '*'. Inlined into both of its callers, the fast path's
  // loop above all.
  [[gnu::always_inline]] std::size_t unquoted_end(std::size_t pos, bool& star) const;
  [[noreturn]] void fail(std::int64_t line, const std::string& what) const;

  // A record has five fields, so larger repeat counts act alike.
  static constexpr std::int64_t kRepeatCap = 1'000'000;

  std::string_view content_;
  std::string_view file_;
  std::size_t pos_ = 0;
  std::int64_t line_ = 1;
  bool separator_pending_ = false;  // a value was read, its separator not yet
  std::int64_t repeats_left_ = 0;   // further copies of repeated_ to hand out
  Value repeated_;
  std::string unquoted_;            // a quoted value with its doubled delimiters undone
};

}  // namespace dedup
