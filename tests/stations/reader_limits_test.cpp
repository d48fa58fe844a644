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
            "list.txt:30001: more than 30000 records; the table holds at most 30000 (--max-records N raises the "
            "limit)");
}

// Another capacity, small or above the default, ends the list exactly as
// the default does: N records and a partial one after them are read, the
// (N + 1)th is refused, whether the records take the one-pass reader or
// the value-by-value one (quoted texts).
TEST(Capacity, AnyCapacityHoldsExactlyItsRecords) {
  const std::string quoted = "'Q' ANA 1 2 3\n";
  for (const std::int32_t capacity : {1, 3, 40000}) {
    SCOPED_TRACE(capacity);
    const std::string count = std::to_string(capacity);
    const std::string full = records(capacity);
    const auto table = read_text(full + "S0 ANA 1 2\n", capacity);
    ASSERT_EQ(table->n, capacity);
    EXPECT_EQ(table->id[capacity - 1].trimmed(), "S" + count);
    EXPECT_EQ(read_text(full + "'S0' ANA 1\n", capacity)->n, capacity);
    std::string refusal = "list.txt:";
    refusal += std::to_string(capacity + 1);
    refusal += ": more than " + count + " records; the table holds at most " + count;
    refusal += " (--max-records N raises the limit)";
    EXPECT_EQ(read_failure(full + quoted, capacity), refusal);
    EXPECT_EQ(read_failure(records(capacity + 1), capacity), refusal);
    std::string all_quoted;
    for (std::int32_t k = 0; k < capacity; ++k) all_quoted += quoted;
    EXPECT_EQ(read_text(all_quoted + "'Q' ANA 1 2", capacity)->n, capacity);
    EXPECT_EQ(read_failure(all_quoted + quoted, capacity), refusal);
  }
}

TEST(OpenFailures, MissingOrUnreadableListNamesTheFile) {
  testing::ScratchFolder folder;
  StationTable table;
  const std::string missing = folder.path("none.txt");
  try {
    testing::read_file(missing, table);
    FAIL() << "reading a missing file succeeded";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), missing + ": cannot open the station list: No such file or directory");
  }
  try {
    testing::read_file(folder.root().string(), table);
    FAIL() << "reading a folder succeeded";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), folder.root().string() + ": cannot read the station list: Is a directory");
  }
}

}  // namespace
}  // namespace dedup
