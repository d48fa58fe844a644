#pragma once
// Splits a free-form station list into values (the rules: src/README.md,
// "The free-form list"): blanks, one comma or line ends between values,
// quotes, "r*c" repeats, '/'. Malformed quoting is a FatalError with the line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "stations/list_syntax.h"
#include "stations/station_table.h"

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

  Value next();

  // The fast path: reads common records (five unquoted values on one line, no
  // '*', plain decimals) into the slots from n on, each in one pass, and
  // returns how many; the slot of the first other record is left blank.
  std::int32_t read_common_records(StationTable& table, RecordPlaces& places);

  // The fast path for a number read value by value: false (parse_number
  // then reads it) unless the value is a plain decimal not near the end.
  bool read_plain_number(const Value& value, float& number) const;

  // Skips the rest of the current line: the next record starts on the next.
  void skip_rest_of_line();

  // At a record's start: passes over blank lines and returns where its line
  // starts; position() after skip_rest_of_line() is where its last line ends.
  std::size_t next_record_start() {
    skip_blanks_and_line_ends();
    return line_start(pos_);
  }
  std::size_t position() const { return pos_; }

  // Throws FatalError "<file>:<line>: <what>".
  [[noreturn]] void fail(std::int64_t line, const std::string& what) const;

 private:
  // A common record ends kSlack bytes before the content's end at the latest,
  // so that the words read past a value stay within it.
  static constexpr std::size_t kSlack = 32;

  bool at_end() const { return pos_ >= content_.size(); }
  // The start of the line of a value at `at`, which only blanks precede.
  std::size_t line_start(std::size_t at) const;
  bool at_line_end() const;
  bool at_separator() const;
  void skip_blanks_and_line_ends();
  // Reads a value; true when it is unquoted and holds a '*' (maybe a repeat).
  bool read_value(Value& value);
  void read_quoted(Value& value);
  // Reads up to the next blank, comma, slash or line end; true as above.
  bool read_unquoted(Value& value);

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
