#include <gtest/gtest.h>

#include <string>

#include "stations/station_table.h"

namespace dedup {
namespace {

TEST(FixedText, PadsShortTextsWithBlanksAndCutsLongOnes) {
  const IdText shortText("A1");
  EXPECT_EQ(shortText.full(), "A1" + std::string(48, ' '));
  const std::string sixty(60, 'x');
  EXPECT_EQ(IdText(sixty).full(), std::string(50, 'x'));
  EXPECT_EQ(FixedText<13>("longer than thirteen").full(), "longer than t");
}

TEST(FixedText, ComparesAllBytesCaseSensitively) {
  EXPECT_EQ(IdText("A1"), IdText("A1   "));
  EXPECT_FALSE(IdText("A1") == IdText("a1"));
  EXPECT_FALSE(IdText("A1") == IdText(" A1"));
  const std::string common(50, 'k');
  EXPECT_EQ(IdText(common + "1234567890"), IdText(common));
  // A difference in any one byte, wherever it lies among the words compared.
  for (std::size_t at = 0; at < common.size(); ++at) {
    std::string other = common;
    other[at] = 'K';
    EXPECT_FALSE(IdText(other) == IdText(common)) << at;
  }
}

TEST(FixedText, TrimmedFormDropsTrailingBlanksOnly) {
  EXPECT_EQ(IdText("  ST 01  ").trimmed(), "  ST 01");
  EXPECT_EQ(IdText("").trimmed(), "");
  EXPECT_EQ(IdText("   ").trimmed(), "");
  EXPECT_EQ(IdText("tab\t").trimmed(), "tab\t");
  EXPECT_EQ(IdText(std::string(50, 'z')).trimmed().size(), 50u);
}

TEST(StationTable, ResetClearsEverySlotUpToTheCapacity) {
  StationTable table;
  table.n = 2;
  for (const int slot : {0, 1, 17, kMaxStations - 1}) {
    table.remove[slot] = 1;
    table.mark_all[slot] = 1;
    table.reason[slot] = ReasonCode::kExactCopy;
  }
  table.reset_screening();
  for (const int slot : {0, 1, 17, kMaxStations - 1}) {
    EXPECT_EQ(table.remove[slot], 0) << slot;
    EXPECT_EQ(table.mark_all[slot], 0) << slot;
    EXPECT_EQ(table.reason[slot], ReasonCode::kNone) << slot;
  }
  EXPECT_EQ(table.n, 2);
}

}  // namespace
}  // namespace dedup
