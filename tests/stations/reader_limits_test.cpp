#include <gtest/gtest.h>

#include <string>

#include "stations/read_text.h"

namespace dedup {
namespace {

using testing::read_failure;
using testing::read_text;

std::string records(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += 'S';
    text += std::to_string(i);
    text += " ANA -45.5 -23.25 1.0\n";
  }
  return text;
}

TEST(Capacity, ExactlyThirtyThousandRecordsAreReadInFull) {
  const auto full = read_text(records(kMaxStations) + "\n\n  \n");
  ASSERT_EQ(full->n, kMaxStations);
  EXPECT_EQ(full->id[kMaxStations - 1].trimmed(), "S30000");
  EXPECT_EQ(read_text(records(kMaxStations) + "S30001 ANA 1 2\n")->n, kMaxStations);
}

TEST(Capacity, ARecordBeyondTheCapacityIsFatal) {
  EXPECT_EQ(read_failure(records(kMaxStations + 1)),
            "list.txt:30001: more than 30000 records; the table holds at most 30000");
}

TEST(OpenFailures, MissingOrUnreadableListNamesTheFile) {
  testing::ScratchFolder folder;
  StationTable table;
  const std::string missing = folder.path("none.txt");
  try {
    StationListReader::read(missing, table);
    FAIL() << "reading a missing file succeeded";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), missing + ": cannot open the station list: No such file or directory");
  }
  try {
    StationListReader::read(folder.root().string(), table);
    FAIL() << "reading a folder succeeded";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), folder.root().string() + ": cannot read the station list: Is a directory");
  }
}

}  // namespace
}  // namespace dedup
