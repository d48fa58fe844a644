#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <bit>
#include <cstring>
#include <string>

#include "stations/number_text.h"
#include "stations/read_text.h"

namespace dedup {
namespace {

// A line long enough after the record that the record is read in one pass.
const std::string kNextLine = "\nNEXT ANA 1.25 -2.5 3 " + std::string(40, ' ') + "\n";

TEST(OnePassRecord, NumbersAtTheFastPathsLimitsReadAsParseNumberReadsThem) {
  // Eight fraction digits and more, long integer parts, 19 and 20 digits (the
  // latter wraps 64 bits to 1), a mantissa past 2^53 and a midpoint between
  // two floats.
  for (const char* text : {"0.12345678", "-0.123456789", "12345.5", "12345678", "12345678.875",
                           "1234567.123456789012", "1844674.4073709551617", "9007199.254740993",
                           "16777217", "5.", "+.5"}) {
    SCOPED_TRACE(text);
    // In one pass, and value by value after a quoted identifier.
    const auto table =
        testing::read_text(std::string("A ANA ") + text + " 0 0\n'B' ANA " + text + " 0 0" + kNextLine);
    ASSERT_EQ(table->n, 3);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(table->lon[0]), std::bit_cast<std::uint32_t>(*parse_number(text)));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(table->lon[1]), std::bit_cast<std::uint32_t>(*parse_number(text)));
  }
}

TEST(OnePassRecord, TextsAtItsLimitsReadAsValueByValue) {
  const std::string long_id(49, 'L');
  // A quoted text and a repeat would read as other values in one pass.
  const auto table = testing::read_text(long_id + " AG 1 2 3\n" + long_id + "MN AG 1 2 3\n'Q' AG 1 2 3\n" +
                                        "2*X 1 2 3 4" + kNextLine);
  ASSERT_EQ(table->n, 5);
  EXPECT_EQ(table->id[0].full(), long_id + " ");
  EXPECT_EQ(table->id[1].full(), long_id + "M");
  EXPECT_EQ(table->id[2].trimmed(), "Q");
  EXPECT_EQ(table->orgao[2].trimmed(), "AG");
  EXPECT_EQ(table->orgao[3].trimmed(), "X");
  EXPECT_EQ(table->prec[3], 3.0f);
}

// A record that the one-pass reader gives up on part way, and that the file
// then ends in the middle of, leaves nothing of itself in the table.
TEST(OnePassRecord, ARecordGivenUpOnLeavesItsSlotBlank) {
  const auto table = testing::read_text("A ANA 1.5 2.5 3\nBEE ANA 4.5 5.5\n" + std::string(40, ' '));
  ASSERT_EQ(table->n, 1);
  EXPECT_EQ(table->id[1].full(), std::string(kIdLength, ' '));
  EXPECT_EQ(table->orgao[1].full(), std::string(kIdLength, ' '));
  EXPECT_EQ(table->lon[1], 0.0f);
  EXPECT_EQ(table->lat[1], 0.0f);
}

// Ending at the end of a page followed by one that cannot be read, as a mapped
// file may, the list is read without a read past its last byte.
TEST(OnePassRecord, ReadsNothingPastTheContent) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* const pages = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  ASSERT_EQ(mprotect(static_cast<char*>(pages) + page, page, PROT_NONE), 0);
  // Every cut of it leaves values that are numbers where numbers are due.
  const std::string last = "S9 AGENCY 451234567 231234567.5 12";
  for (std::size_t cut = 0; cut <= last.size(); ++cut) {
    const std::string list = std::string(3, '\n') + "S1 ANA -45.5 -23.25 1\n" + last.substr(0, cut);
    char* const start = static_cast<char*>(pages) + page - list.size();
    std::memcpy(start, list.data(), list.size());
    StationTable table;
    RecordPlaces places;
    StationListReader::read_content({start, list.size()}, "list.txt", FreeFormSyntax{}, table, places);
    EXPECT_EQ(table.n, cut > last.rfind(' ') + 1 ? 2 : 1) << cut;
  }
  munmap(pages, 2 * page);
}

}  // namespace
}  // namespace dedup
