#pragma once
// How the station list is written, and what the reader records beside the
// table: the free-form list (five values per record), or a delimited export
// whose columns the command line names.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace dedup {

// One column of a delimited export: a name in its header line, a position
// ("#N", from 1), or a value every row takes ("=TEXT", agency and
// precipitation only).
struct ColumnChoice {
  enum class Kind { kName, kPosition, kValue };
  Kind kind = Kind::kName;
  std::string text;            // kName: the name; kValue: the value
  std::int32_t position = 0;   // kPosition: the field's number, from 1
  float number = 0.0f;         // kValue of the precipitation: the value read
};

struct DelimitedSyntax {
  enum class Decimal { kAuto, kPoint, kComma };
  ColumnChoice id;
  std::optional<ColumnChoice> agency;  // none: every agency empty
  ColumnChoice lon;
  ColumnChoice lat;
  ColumnChoice prec;
  char delimiter = 0;                  // 0: found from the header line
  Decimal decimal = Decimal::kAuto;
  std::vector<std::string> missing;    // cell texts that stand for no value
  bool skip_missing = false;           // leave out rows with a number missing
};

struct FreeFormSyntax {};

using ListSyntax = std::variant<FreeFormSyntax, DelimitedSyntax>;

// The bytes [begin, end) of the list that a record's lines take, line ends
// included.
struct RecordSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// What the reader records beside the table, each only when asked for: the
// line on which each record starts, the span of each record's lines, and
// the notes on rows left out, for standard error.
struct RecordPlaces {
  bool want_lines = false;
  bool want_spans = false;
  std::vector<std::int64_t> first_lines;
  std::vector<RecordSpan> spans;
  std::vector<std::string> notes;
};

}  // namespace dedup
