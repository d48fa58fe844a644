#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stations/delimited_export.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

using testing::columns;
using testing::read_export;

struct Fault {
  std::string content;
  DelimitedSyntax syntax;
  std::string message;
  std::int32_t capacity = kMaxStations;
};

// An export of ANA's shape: twelve lines of notes, then a header of 75
// columns on line 13, then the given rows.
std::string wide_export(const std::string& rows) {
  std::string text;
  for (int line = 1; line <= 12; ++line) text += "note " + std::to_string(line) + "\n";
  text += "EstacaoCodigo;Lon;Lat;Total";
  for (int column = 5; column <= 75; ++column) text += ";C" + std::to_string(column);
  return text + "\n" + rows;
}

DelimitedSyntax skipping(DelimitedSyntax syntax) {
  syntax.skip_missing = true;
  return syntax;
}

TEST(DelimitedErrors, EachFaultStopsTheReadWithItsMessage) {
  const DelimitedSyntax inmet = columns("CD_ESTACAO", "VL_LONGITUDE", "VL_LATITUDE", "CHUVA");
  const DelimitedSyntax plain = columns("id", "lon", "lat", "p");
  DelimitedSyntax point = plain;
  point.decimal = DelimitedSyntax::Decimal::kPoint;
  const std::vector<Fault> faults = {
      {"x\nx\nCD_ESTACAO;VL_LONGITUDE;VL_LATITUDE;CHUVA\nA;1;2;3\nB;1;-23,4,9;3\n", inmet,
       "export.csv:5: column \"VL_LATITUDE\" (latitude): \"-23,4,9\" is not a number"},
      {"id;lon;lat;p\nA;1,5;2.5e1,0;0\n", plain, "export.csv:2: column \"lat\" (latitude): \"2.5e1,0\" is not a number"},
      {"id;lon;lat;p\nA;1,5;2;0\n", point, "export.csv:2: column \"lon\" (longitude): \"1,5\" is not a number"},
      {wide_export("1;2;3;4;5;6;7\n"), columns("EstacaoCodigo", "Lon", "Lat", "Total"),
       "export.csv:14: 7 fields where the header (line 13) has 75"},
      {"A;1;2;3\nB;1;2\n", columns("#1", "#2", "#3", "#4"), "export.csv:2: 3 fields where the first row (line 1) has 4"},
      {"id,lon,lat,p\nA,1,2,0\n\"B,1,2,0\n", plain, "export.csv:3: a quotation mark opened here is never closed"},
      {"id,lon,lat,p\n\"B\nC\" x,1,2,0\n", plain,
       "export.csv:3: column \"id\" (identifier): text after a closing quotation mark (only blanks may follow it in a "
       "field)"},
      {"id,lon,lat,p,q\nB,1,2,0,\"x\"y\n", plain,
       "export.csv:2: field 5: text after a closing quotation mark (only blanks may follow it in a field)"},
      {"id,lon,lat,p\n\"B\nC\",1,2,0\n", plain,
       "export.csv:2: column \"id\" (identifier) holds a line end (a record's texts stay on one line)"},
      {"STATION,PRCP,LATITUDE,LONGITUDE\n" + std::string(7, '\n') + "A,,1,2\n",
       columns("STATION", "LONGITUDE", "LATITUDE", "PRCP"),
       "export.csv:9: column \"PRCP\" (precipitation) has no value (--skip-missing leaves such rows out)"},
      {"id;lon;lat;p\nA;1;x;\n", skipping(plain), "export.csv:2: column \"lat\" (latitude): \"x\" is not a number"},
      {"DC_NOME;SG_ESTADO;VL_LATITUDE;VL_LONGITUDE;CD_ESTACAO\nnotes\n", inmet,
       "export.csv: no line among the first 100 holds the columns \"CD_ESTACAO\", \"VL_LONGITUDE\", "
       "\"VL_LATITUDE\", \"CHUVA\"; line 1, split at \";\", holds \"DC_NOME\", \"SG_ESTADO\", \"VL_LATITUDE\", "
       "\"VL_LONGITUDE\", \"CD_ESTACAO\""},
      {"id;lon;lat;id\n", plain, "export.csv: no line among the first 100 holds the columns \"id\", \"lon\", \"lat\", "
                                 "\"p\"; line 1, split at \";\", holds \"id\", \"lon\", \"lat\", \"id\""},
      {"x;y,x\n", columns("x", "#2", "#2", "#2"),
       "export.csv:1: the header's columns are found both when the line is split at \";\" and at \",\" "
       "(--delimiter D says which one separates the fields)"},
      {"A;1,5;2;3\n", columns("#1", "#2", "#3", "#4"),
       "export.csv:1: the first row holds more than one of \";\", \",\", tab and \"|\" outside quotation marks "
       "(--delimiter D says which one separates the fields)"},
      {"id;lon;lat\nA;1;2\n", columns("id", "lon", "lat", "#7"),
       "export.csv:1: column #7 (precipitation) lies past the 3 fields of the header"},
      {"\xFF\xFEi\0d\0", plain, "export.csv: the file is in UTF-16 (it begins with the bytes FF FE); save it as UTF-8 "
                                "or Latin-1"},
      {"id;lon;lat;p\nA;1;2;3\nB;1;2;3\n\nC;1;2;3\n", plain,
       "export.csv:5: more than 2 records; the table holds at most 2 (--max-records N raises the limit)", 2},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.content);
    try {
      read_export(fault.content, fault.syntax, fault.capacity);
      ADD_FAILURE() << "read without a fault";
    } catch (const FatalError& error) {
      EXPECT_EQ(error.what(), fault.message);
    }
  }
}

}  // namespace
}  // namespace dedup
