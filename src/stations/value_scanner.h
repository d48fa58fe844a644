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

  // The next value of the current record.
  Value next();

  // The fast path: reads common records (five unquoted values on one line,
  // no '*', the numbers plain decimals) into the slots from n on, each in one
  // pass, and returns how many (n is the caller's to advance); stops at the
  // first other record or one within kSlack bytes of the end, whose slot it
  // leaves blank. `places` receives each record's first line and span, as asked.
  std::int32_t read_common_records(StationTable& table, RecordPlaces& places);

  // The fast path for a number read value by value: the plain decimal that
  // an unquoted value from next() holds, read as read_common_records reads
  // one; false (parse_number then reads it) for any other value and for one
  // within 32 bytes of the end.
  bool read_plain_number(const Value& value, float& number) const;

  // Skips the rest of the current line: the next record starts on the next.
  void skip_rest_of_line();

  // At the start of a record: passes over blank lines and returns where the
  // line of the record's first value starts. position() after
  // skip_rest_of_line() is where its last line ends, line end included.
  std::size_t next_record_start() {
    skip_blanks_and_line_ends();
    return line_start(pos_);
  }
  std::size_t position() const { return pos_; }

  // Throws FatalError "<file>:<line>: <what>".
  [[noreturn]] void fail(std::int64_t line, const std::string& what) const;

 private:
  // Every value of a common record starts at or before kSlack bytes before
  // the end of the content, and every text ends before that; the words read
  // for a text end at most 7 bytes past it, those for a number at most
  // kPlainDecimalReach bytes past its start.
  static constexpr std::size_t kSlack = 32;

  bool at_end() const { return pos_ >= content_.size(); }
  // The start of the line of a value at `at`, which only blanks precede on
  // it (after a line end, the start, or the byte-order mark).
  std::size_t line_start(std::size_t at) const;
  bool at_line_end() const;
  bool at_separator() const;
  void skip_blanks_and_line_ends();
  // Reads a quoted or unquoted value; true when it is unquoted and holds a
  // '*' (it may then be a repeat).
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
