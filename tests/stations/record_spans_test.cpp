// The bytes each record's lines take in the list, as the reader records
// them on request, in both of its ways: one pass for common records, and
// value by value for the rest and for any record within 32 bytes of the end.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"

namespace dedup {
namespace {

using Span = std::pair<std::size_t, std::size_t>;

struct SpanCase {
  const char* what;
  std::string list;
  std::vector<Span> spans;
  std::vector<std::int64_t> first_lines;
};

TEST(RecordSpans, RunFromTheFirstValuesLineToTheFifthsLineEnd) {
  const std::string blanks(40, ' ');
  const SpanCase cases[] = {
      {"over two lines, a blank line between", "A ANA 1\n\n 2 3\nB ANA 4 5 6\n", {{0, 14}, {14, 26}}, {1, 4}},
      {"CR LF, in one pass", "A ANA 1 2 3\r\n\r\n  B ANA 1 2 3\r\n" + blanks + "\r\n", {{0, 13}, {15, 30}}, {1, 3}},
      {"lone CR, the second record given up on in one pass", "A ANA 1 2 3\rB ANA 1\r2 3\r" + blanks,
       {{0, 12}, {12, 24}}, {1, 2}},
      {"after a byte-order mark, which no span takes", "\xEF\xBB\xBF A ANA 1 2 3\n" + blanks, {{3, 16}}, {1}},
      {"a partial last record", "A ANA 1 2 3\nB ANA 1 2", {{0, 12}}, {1}},
      {"no final line end", "A ANA 1 2 3\n'B' ANA 4 5 6", {{0, 12}, {12, 25}}, {1, 2}},
  };
  for (const SpanCase& c : cases) {
    SCOPED_TRACE(c.what);
    StationTable table;
    RecordPlaces places;
    places.want_lines = true;
    places.want_spans = true;
    StationListReader::read_content(c.list, "list.txt", FreeFormSyntax{}, table, places);
    std::vector<Span> spans;
    for (const RecordSpan& span : places.spans) spans.emplace_back(span.begin, span.end);
    EXPECT_EQ(spans, c.spans);
    EXPECT_EQ(places.first_lines, c.first_lines);
    EXPECT_EQ(table.n, static_cast<std::int32_t>(c.spans.size()));
    // Not asked for, none are recorded.
    RecordPlaces none;
    StationListReader::read_content(c.list, "list.txt", FreeFormSyntax{}, table, none);
    EXPECT_TRUE(none.spans.empty() && none.first_lines.empty());
  }
}

}  // namespace
}  // namespace dedup
