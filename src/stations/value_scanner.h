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

  // For a reader that takes a common record in one pass: at the start of a
  // record, skips blank lines and gives the position of its first byte.
  // Either that reader ends the record with end_record_at(), just past its
  // fifth value, or next() reads it value by value from there.
  std::size_t record_start() {
    if (at_end() || static_cast<unsigned char>(content_[pos_]) <= ' ') skip_blanks_and_line_ends();
    return pos_;
  }
  void end_record_at(std::size_t end) {
    pos_ = end;
    // Most lines end right after the fifth value.
    if (!at_end() && content_[pos_] == '\n') {
      ++pos_;
      ++line_;
    } else {
      skip_rest_of_line();
    }
  }

  std::string_view content() const { return content_; }

  // The current line.
  std::int64_t line() const { return line_; }

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
