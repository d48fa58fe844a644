#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "stations/delimited_export.h"
#include "stations/station_list_reader.h"

namespace dedup {
namespace {

using testing::columns;
using testing::read_export;

struct Dialect {
  const char* what;
  std::string content;
  DelimitedSyntax syntax;
  std::string free_form;                  // the same records as a free-form list
  std::vector<std::int64_t> first_lines;  // where each stored row starts
  std::vector<std::string> notes;
};

DelimitedSyntax with(DelimitedSyntax syntax, void (*change)(DelimitedSyntax&)) {
  change(syntax);
  return syntax;
}

const std::vector<Dialect>& dialects() {
  static const std::vector<Dialect> cases = {
      {"semicolons, notes before a Latin-1 header, decimal commas, CRLF, trailing separator",
       "Sistema de Informa\xE7\xF5" "es Hidrol\xF3gicas\r\n\r\nC\xF3" "digo da Esta\xE7\xE3o:02345024\r\n\r\n"
       "EstacaoCodigo;Org\xE3o;Longitude;Latitude;Precipita\xE7\xE3o\r\n"
       "02345024;ANA;-45,9661;-23,3047;30,3;\r\n"
       "2345025; ANA ;-45,5;-23,25;0,02;\r\n",
       columns("EstacaoCodigo", "LONGITUDE", "latitude", "Precipita\xC3\xA7\xC3\xA3o", "Org\xC3\xA3o"),
       "02345024 ANA -45.9661 -23.3047 30.3\n2345025 ' ANA' -45.5 -23.25 0.02\n", {6, 7}, {}},
      {"commas, quoted texts holding commas and doubled quotes, no final line end",
       "STATION,NAME,LATITUDE,LONGITUDE,PRCP,SNOW\r\n"
       "\"USC00442009\",\"CORBIN, VA US\",38.2,-77.37,0.5,\r\n"
       "\"USC00442010\" , \"SAY \"\"HI\"\"\",38.25,-77.5,12,0\r\n"
       "USC00442011,PAU D'ARCO,1e1,-7.5e-1,0,",
       columns("STATION", "LONGITUDE", "LATITUDE", "PRCP", "NAME"),
       "USC00442009 'CORBIN, VA US' -77.37 38.2 0.5\nUSC00442010 'SAY \"HI\"' -77.5 38.25 12\n"
       "USC00442011 'PAU D''ARCO' -0.75 10 0\n",
       {2, 3, 4}, {}},
      {"byte-order mark, tabs, no agency",
       "\xEF\xBB\xBFid\tlon\tlat\tp\nA1\t1.5\t2,5\t3\n\n  \nA2\t-1\t-2\t0\n", columns("id", "lon", "lat", "p"),
       "A1 '' 1.5 2.5 3\nA2 '' -1 -2 0\n", {2, 5}, {}},
      {"bars, a catalogue given its agency and no precipitation",
       "CD_ESTACAO|VL_LATITUDE|VL_LONGITUDE|\nA422|-17,96305555|-39,2|\n",
       columns("CD_ESTACAO", "VL_LONGITUDE", "VL_LATITUDE", "=0", "=INMET"),
       "A422 INMET -39.2 -17.96305555 0\n", {2}, {}},
      {"positions without a header, the delimiter given (decimal commas hide it), lone CR line ends",
       "A;ANA;-45,5;-23,25;1\r\rB;INMET;-45;-23;2,5\r",
       with(columns("#1", "#3", "#4", "#5", "#2"), [](DelimitedSyntax& s) { s.delimiter = ';'; }),
       "A ANA -45.5 -23.25 1\nB INMET -45 -23 2.5\n", {1, 3}, {}},
      {"missing values: 999 matching 999,0, a text, a row of empty cells, rows left out",
       "id;lon;lat;prec\nA;1;2;999,0\n;;;\nB;1;2;999,5\nC;NA;2;3\n",
       with(columns("id", "lon", "lat", "prec"),
            [](DelimitedSyntax& s) {
              s.missing = {"999", "NA"};
              s.skip_missing = true;
            }),
       "B '' 1 2 999.5\n", {4},
       {"export.csv:2: column \"prec\" (precipitation) has no value; row left out",
        "export.csv:3: column \"lon\" (longitude) has no value; row left out",
        "export.csv:5: column \"lon\" (longitude) has no value; row left out"}},
      {"quoted decimal-comma numbers, and a line end quoted in a column no record takes",
       "id,name,lon,lat,p\n\"X\",\"first\nsecond\",\"-38,5\",\" -5,2008 \",0.4\nY,,\"1\",2,3\n",
       columns("id", "lon", "lat", "p"), "X '' -38.5 -5.2008 0.4\nY '' 1 2 3\n", {2, 4}, {}},
      {"one column for two roles, quoted cells across sixteen-byte blocks, more than eight decimals",
       "code;unused;x;p\n\"A-LONG-IDENTIFIER-1\";\"skip; this \"\"cell\"\"\";-45,123456789;1\n"
       "\"B\";\"x\";-45,1234567;\"0,5\"\n",
       columns("code", "x", "x", "p"),
       "A-LONG-IDENTIFIER-1 '' -45.123456789 -45.123456789 1\nB '' -45.1234567 -45.1234567 0.5\n", {2, 3}, {}},
  };
  return cases;
}

TEST(DelimitedDialects, EachExportGivesTheTableOfItsFreeFormList) {
  for (const Dialect& dialect : dialects()) {
    SCOPED_TRACE(dialect.what);
    const auto read = read_export(dialect.content, dialect.syntax);
    StationTable expected;
    RecordPlaces places;
    StationListReader::read_content(dialect.free_form, "list.txt", FreeFormSyntax{}, expected, places);
    const StationTable& table = *read.table;
    ASSERT_EQ(table.n, expected.n);
    for (std::int32_t slot = 0; slot < table.n; ++slot) {
      SCOPED_TRACE("record " + std::to_string(slot + 1));
      EXPECT_EQ(table.id[slot].full(), expected.id[slot].full());
      EXPECT_EQ(table.orgao[slot].full(), expected.orgao[slot].full());
      EXPECT_EQ(std::bit_cast<std::uint32_t>(table.lon[slot]), std::bit_cast<std::uint32_t>(expected.lon[slot]));
      EXPECT_EQ(std::bit_cast<std::uint32_t>(table.lat[slot]), std::bit_cast<std::uint32_t>(expected.lat[slot]));
      EXPECT_EQ(std::bit_cast<std::uint32_t>(table.prec[slot]), std::bit_cast<std::uint32_t>(expected.prec[slot]));
    }
    EXPECT_EQ(read.places.first_lines, dialect.first_lines);
    EXPECT_EQ(read.places.notes, dialect.notes);
  }
}

// A row's span runs from the start of its first line to past its last line
// end, or to the end of the content; blank lines and rows left out between
// rows belong to no span.
TEST(DelimitedDialects, SpansCoverEachStoredRowsLines) {
  const std::string content = "note\r\nid;lon;lat;p;x\r\nA;1;2;3;\"y\r\n\"\r\n\r\nB;;2;3;\r\nC;1;2;3;";
  DelimitedSyntax syntax = columns("id", "lon", "lat", "p");
  syntax.skip_missing = true;
  const auto read = read_export(content, syntax);
  ASSERT_EQ(read.table->n, 2);
  const auto text = [&](const RecordSpan& span) { return content.substr(span.begin, span.end - span.begin); };
  EXPECT_EQ(text(read.places.spans[0]), "A;1;2;3;\"y\r\n\"\r\n");
  EXPECT_EQ(text(read.places.spans[1]), "C;1;2;3;");
  EXPECT_EQ(read.places.first_lines, (std::vector<std::int64_t>{3, 7}));
}

TEST(DelimitedDialects, RowsLeftOutPastTheTenthAreCountedInOneNote) {
  std::string content = "id;lon;lat;p\n";
  for (int row = 0; row < 13; ++row) content += "A;1;2;\n";
  DelimitedSyntax syntax = columns("id", "lon", "lat", "p");
  syntax.skip_missing = true;
  const auto read = read_export(content, syntax);
  EXPECT_EQ(read.table->n, 0);
  ASSERT_EQ(read.places.notes.size(), 11u);
  EXPECT_EQ(read.places.notes[9], "export.csv:11: column \"p\" (precipitation) has no value; row left out");
  EXPECT_EQ(read.places.notes[10], "export.csv: 3 more rows left out for a missing value");
}

}  // namespace
}  // namespace dedup
