#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "stations/read_text.h"

namespace dedup {
namespace {

using testing::read_failure;
using testing::read_text;

void expect_record(const StationTable& t, int slot, std::string_view id, std::string_view orgao, float lon,
                   float lat, float prec) {
  SCOPED_TRACE("record " + std::to_string(slot + 1));
  EXPECT_EQ(t.id[slot].trimmed(), id);
  EXPECT_EQ(t.orgao[slot].trimmed(), orgao);
  EXPECT_EQ(t.lon[slot], lon);
  EXPECT_EQ(t.lat[slot], lat);
  EXPECT_EQ(t.prec[slot], prec);
}

TEST(Separators, BlanksTabsCommasAndCarriageReturns) {
  const auto t = read_text(
      "A1 ANA -45.5 -23.25 12.3\n"
      "A2\tANA\t\t-45.5\t-23.25\t1\n"
      "A3,ANA,-45.5,-23.25,2\n"
      "A4 , ANA ,-45.5 ,  -23.25,   3\r\n"
      "   A5 ANA -45.5 -23.25 4   \r\n");
  ASSERT_EQ(t->n, 5);
  expect_record(*t, 0, "A1", "ANA", -45.5f, -23.25f, 12.3f);
  expect_record(*t, 1, "A2", "ANA", -45.5f, -23.25f, 1.0f);
  expect_record(*t, 2, "A3", "ANA", -45.5f, -23.25f, 2.0f);
  expect_record(*t, 3, "A4", "ANA", -45.5f, -23.25f, 3.0f);
  expect_record(*t, 4, "A5", "ANA", -45.5f, -23.25f, 4.0f);
}

TEST(Separators, SemicolonsAndOtherBytesAreOrdinaryCharacters) {
  const auto t = read_text("A;1 AG;X 1 2 3\nB\xEF\xBB\xBF AG 1 2 3\n");
  ASSERT_EQ(t->n, 2);
  EXPECT_EQ(t->id[0].trimmed(), "A;1");
  EXPECT_EQ(t->orgao[0].trimmed(), "AG;X");
  EXPECT_EQ(t->id[1].trimmed(), "B\xEF\xBB\xBF");  // a byte-order mark past the start is text
  EXPECT_EQ(read_failure("B AG 0 0 0\nA AG 1;2 3 4\n"), "list.txt:2: longitude \"1;2\" is not a number");
}

TEST(Separators, ACarriageReturnAloneEndsTheLineAndALeadingByteOrderMarkIsSkipped) {
  const auto t = read_text("\xEF\xBB\xBF" "A AG 1 2 3 extra\rB\rC 4\r\n5 6\r'D' AG 7 8 9");
  ASSERT_EQ(t->n, 3);
  expect_record(*t, 0, "A", "AG", 1, 2, 3);
  expect_record(*t, 1, "B", "C", 4, 5, 6);
  expect_record(*t, 2, "D", "AG", 7, 8, 9);
  EXPECT_EQ(read_failure("A AG 1 2 3\r\rB AG x 2 3\r"), "list.txt:3: longitude \"x\" is not a number");
  EXPECT_EQ(read_failure("'open\rB' AG 1 2 3\n"),
            "list.txt:1: quoted value still open at the end of the line (missing closing ')");
}

TEST(Records, RunOverLinesAndSkipTheRestOfTheFifthValuesLine) {
  const auto t = read_text(
      "A1 ANA\n"
      "\n"
      "  -45.5\n"
      "-23.25 12.3 extra values 'unclosed\n"
      "A2 ANA 1 2 3 4 5 6\n"
      "   \t  \n"
      "A3 ANA 1\n2\n3\n");
  ASSERT_EQ(t->n, 3);
  expect_record(*t, 0, "A1", "ANA", -45.5f, -23.25f, 12.3f);
  expect_record(*t, 1, "A2", "ANA", 1, 2, 3);
  expect_record(*t, 2, "A3", "ANA", 1, 2, 3);
}

TEST(Records, OneLineRecordsAndEveryOtherShapeReadAlikeInAnyOrder) {
  const auto t = read_text(
      "A1 AG 1 2 3\n"
      "2*Z 4 5 6\n"
      "A3 'AG' 1 2 3\n"
      "A4 AG 1 2\n3\n"
      "A5\tAG , 1,2 3/ x\n"
      "A6 AG 7 8 9");
  ASSERT_EQ(t->n, 6);
  expect_record(*t, 0, "A1", "AG", 1, 2, 3);
  expect_record(*t, 1, "Z", "Z", 4, 5, 6);
  expect_record(*t, 2, "A3", "AG", 1, 2, 3);
  expect_record(*t, 3, "A4", "AG", 1, 2, 3);
  expect_record(*t, 4, "A5", "AG", 1, 2, 3);
  expect_record(*t, 5, "A6", "AG", 7, 8, 9);
  EXPECT_EQ(read_failure("A AG 1\n2 3\n\nB AG 1 x 3\n"), "list.txt:4: latitude \"x\" is not a number");
}

TEST(Records, APartialFinalRecordIsDropped) {
  EXPECT_EQ(read_text("A ANA 1 2 3\nB ANA 1\n")->n, 1);
  EXPECT_EQ(read_text("A ANA 1 2 3\nB")->n, 1);
  EXPECT_EQ(read_text("A ANA 1 2 3")->n, 1);
  EXPECT_EQ(read_text("")->n, 0);
  EXPECT_EQ(read_text("\n \n\t\r\n")->n, 0);
}

TEST(QuotedValues, HoldBlanksCommasSlashesAndDoubledDelimiters) {
  const auto t = read_text(
      "'ST 01' \"AG, X/Y\" 1 2 3\n"
      "'D''Avila' \"say \"\"hi\"\"\" 1 2 3\n"
      "'' '  lead' 1 2 3\n"
      "\"it's\",'a \"b\"',1,2,3\n"
      "D'Avila AG 1 2 3\n");
  ASSERT_EQ(t->n, 5);
  EXPECT_EQ(t->id[0].trimmed(), "ST 01");
  EXPECT_EQ(t->orgao[0].trimmed(), "AG, X/Y");
  EXPECT_EQ(t->id[1].trimmed(), "D'Avila");
  EXPECT_EQ(t->orgao[1].trimmed(), "say \"hi\"");
  EXPECT_EQ(t->id[2].trimmed(), "");
  EXPECT_EQ(t->orgao[2].trimmed(), "  lead");
  EXPECT_EQ(t->id[3].trimmed(), "it's");
  EXPECT_EQ(t->orgao[3].trimmed(), "a \"b\"");
  EXPECT_EQ(t->id[4].trimmed(), "D'Avila");
}

TEST(QuotedValues, UnquotedBlankSplitsAndLongTextsKeepFiftyCharacters) {
  EXPECT_EQ(read_failure("ST 01 AG 1 2 3\n"), "list.txt:1: longitude \"AG\" is not a number");
  const auto t = read_text("ST 01 1 2 3\n'" + std::string(60, 'L') + "' AG 1 2 3\n");
  ASSERT_EQ(t->n, 2);
  EXPECT_EQ(t->id[0].trimmed(), "ST");
  EXPECT_EQ(t->orgao[0].trimmed(), "01");
  EXPECT_EQ(t->id[1].trimmed(), std::string(50, 'L'));
}

TEST(QuotedValues, MustCloseOnTheirLineAndBeFollowedByASeparator) {
  EXPECT_EQ(read_failure("A ANA 1 2 3\n'open AG 1 2 3\nB AG 1 2 3\n"),
            "list.txt:2: quoted value still open at the end of the line (missing closing ')");
  EXPECT_EQ(read_failure("\"open\r\nB AG 1 2 3\n"),
            "list.txt:1: quoted value still open at the end of the line (missing closing \")");
  EXPECT_EQ(read_failure("A 'open"), "list.txt:1: quoted value still open at the end of the line (missing closing ')");
  EXPECT_EQ(read_failure("\n'AB'CD AG 1 2 3\n"),
            "list.txt:2: text right after a closing ' (a quoted value must be followed by a blank, comma, "
            "slash or line end)");
  EXPECT_EQ(read_text("'AB',AG 1 2 3\n'AB'\tAG 1 2 3\n'A' 'B' 1 2 3")->n, 3);
}

TEST(NumberForms, AllWrittenFormsReadToTheirFloat) {
  const auto t = read_text(
      "A AG 1 1. .5\n"
      "B AG -3.25E1 2.5d0 1.5+3\n"
      "C AG Inf -Infinity NaN\n"
      "D AG 1e39 1e-50 nan\n");
  ASSERT_EQ(t->n, 4);
  expect_record(*t, 0, "A", "AG", 1.0f, 1.0f, 0.5f);
  expect_record(*t, 1, "B", "AG", -32.5f, 2.5f, 1500.0f);
  EXPECT_TRUE(std::isinf(t->lon[2]) && t->lon[2] > 0);
  EXPECT_TRUE(std::isinf(t->lat[2]) && t->lat[2] < 0);
  EXPECT_TRUE(std::isnan(t->prec[2]));
  EXPECT_TRUE(std::isinf(t->lon[3]));
  EXPECT_EQ(t->lat[3], 0.0f);
}

TEST(NumberForms, QuotedOrMalformedNumbersAreFatalWithLineAndField) {
  EXPECT_EQ(read_failure("ID ORGAO LON LAT PREC\nA AG 1 2 3\n"), "list.txt:1: longitude \"LON\" is not a number");
  EXPECT_EQ(read_failure("A AG 1 2 3\n\nB AG 1\n  2.5.1 3\n"), "list.txt:4: latitude \"2.5.1\" is not a number");
  EXPECT_EQ(read_failure("A AG 1 2 '3'\n"),
            "list.txt:1: precipitation \"3\" is not a number (numbers are written without quotes)");
  EXPECT_EQ(read_failure("A AG -45,5 -23 1 2\n"), "");
  EXPECT_EQ(read_failure("A AG 1 2 " + std::string(100, '9') + "x\n"),
            "list.txt:1: precipitation \"" + std::string(40, '9') + "...\" is not a number");
  EXPECT_EQ(read_failure(std::string("A AG 1 2 3\0", 11) + "\n"),
            "list.txt:1: precipitation \"3\\x00\" is not a number");
}

TEST(FreeFormExtras, RepeatFormsCopyValuesOrLeaveThemEmpty) {
  const auto t = read_text(
      "A AG 3*1.5\n"
      "2*X 1 2 3\n"
      "2*'S 1' 4 5 6\n"
      "2* 7 8 9\n"
      "B AG 2*2 9 extra\n"
      "C AG 1 9*4\n");
  ASSERT_EQ(t->n, 6);
  expect_record(*t, 0, "A", "AG", 1.5f, 1.5f, 1.5f);
  expect_record(*t, 1, "X", "X", 1, 2, 3);
  expect_record(*t, 2, "S 1", "S 1", 4, 5, 6);
  expect_record(*t, 3, "", "", 7, 8, 9);
  expect_record(*t, 4, "B", "AG", 2, 2, 9);
  expect_record(*t, 5, "C", "AG", 1, 4, 4);
  EXPECT_EQ(read_failure("A AG 1 2*\n"), "list.txt:1: latitude has no value");
  EXPECT_EQ(read_failure("A AG 0*1 2 3\n"), "list.txt:1: longitude \"0*1\" is not a number");
}

// Values are searched eight bytes at a time for their end: values longer
// than that, with bytes above 0x7F, '-', '.' and '*' inside, a repeat whose
// '*' lies past the first eight bytes, and a long last value at the very end
// of the file.
TEST(FreeFormExtras, LongValuesEndWhereTheirFirstSeparatorIs) {
  const auto t = read_text(
      "\xC3\x81GUA-\xC3\x89.LINDA,AG*STAR*AFTER8 -12345.678 1 2\n"
      "ID AG 000000003*-1.5\n"
      "LAST AG 1 2 12345678.25");
  ASSERT_EQ(t->n, 3);
  expect_record(*t, 0, "\xC3\x81GUA-\xC3\x89.LINDA", "AG*STAR*AFTER8", -12345.678f, 1, 2);
  expect_record(*t, 1, "ID", "AG", -1.5f, -1.5f, -1.5f);
  expect_record(*t, 2, "LAST", "AG", 1, 2, 12345678.25f);
}

TEST(FreeFormExtras, EmptyValuesBlankTextsAndAreFatalForNumbers) {
  const auto t = read_text(
      ",AG,1,2,3\n"
      "A,,1,2,3\n"
      "B , , 1 2 3\n"
      "C\n,AG 1 2 3\n"
      "D,\n,1,2,3\n");
  ASSERT_EQ(t->n, 5);
  expect_record(*t, 0, "", "AG", 1, 2, 3);
  expect_record(*t, 1, "A", "", 1, 2, 3);
  expect_record(*t, 2, "B", "", 1, 2, 3);
  expect_record(*t, 3, "C", "AG", 1, 2, 3);
  expect_record(*t, 4, "D", "", 1, 2, 3);
  EXPECT_EQ(read_failure("A,AG,,2,3\n"), "list.txt:1: longitude has no value");
  EXPECT_EQ(read_failure("A AG 1\n\n,, 3\n"), "list.txt:3: latitude has no value");
}

TEST(FreeFormExtras, ASlashEndsTheRecordAndLeavesNumbersWithoutValue) {
  EXPECT_EQ(read_failure("A AG/ 1 2 3\n"), "list.txt:1: the record ends at '/' before its longitude");
  EXPECT_EQ(read_failure("A AG 1 2 /\n"), "list.txt:1: the record ends at '/' before its precipitation");
  EXPECT_EQ(read_failure("/\n"), "list.txt:1: the record ends at '/' before its longitude");
  EXPECT_EQ(read_failure("B/C AG 1 2 3\n"), "list.txt:1: the record ends at '/' before its longitude");
  EXPECT_EQ(read_text("A AG 1 2 3 / ignored\nB AG 1 2 3/\n")->n, 2);
}

}  // namespace
}  // namespace dedup
