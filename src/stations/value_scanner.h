#pragma once
// Splits the text of a station list into values by the free-form rules:
// values are separated by blanks (space, tab), by one comma with or without
// blanks around it, or by line ends. A line ends at a line feed, a carriage
// return and line feed, or a carriage return alone; a UTF-8 byte-order mark
// at the very start of the text is skipped. A value is unquoted (up to the
// next blank, comma, slash or line end) or quoted between apostrophes or
// quotation marks, a doubled delimiter standing for one; a quoted value must
// end on its own line. "r*c" stands for r copies of c and "r*" for r empty
// values; two commas with only blanks or line ends between them, or a comma
// before a record's first value, give an empty value; a slash ends the
// record. Malformed quoting is a FatalError with the line.

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

  // The fast path for whole records: reads common records one after the
  // other, each in one pass, into the table's slots from n on while slots
  // remain; returns how many it read (n is the caller's to advance).
  // The slot of a record it gives up on is left blank (as StationRecord{}).
  // `places` receives the first line and the span of each, as asked. A common
  // record is five unquoted values on one line, none holding '*', separated
  // by blanks or by one comma with or without blanks, the three numbers
  // plain decimals (plain_decimal.h). Stops at the start of the first record
  // that is not one, or that lies within 32 bytes of the end (kSlack), which
  // next() then reads value by value.
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
  std::size_t next_record_start();
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
