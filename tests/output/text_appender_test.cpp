#include "output/text_appender.h"

#include <fcntl.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "output/json_text.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::ScratchFolder;

// Two outputs taking turns in one shared block, each appended past the
// block's end several times over, one also with a text longer than the
// block: each file holds exactly its own pieces, in order.
TEST(TextAppender, OutputsTakingTurnsInOneBlockEachGetTheirOwnPiecesWhole) {
  ScratchFolder folder;
  const std::string first_path = folder.path("first");
  const std::string second_path = folder.path("second");
  const int first_descriptor = ::open(first_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int second_descriptor = ::open(second_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  SharedBlock block;
  TextFile first(first_descriptor, block, "first", "test file");
  TextFile second(second_descriptor, block, "second", "test file");
  const std::string long_text(SharedBlock::kSize + 5, 'x');
  std::string first_expected;
  std::string second_expected;
  for (int round = 0; round < 3; ++round) {
    {
      TextAppender out(first);
      for (std::int64_t k = 0; k < 40000; ++k) out.put("r", k, ",", std::numeric_limits<std::int64_t>::min(), "\n");
    }
    for (std::int64_t k = 0; k < 40000; ++k) first_expected.append("r").append(std::to_string(k)).append(",-9223372036854775808\n");
    {
      TextAppender out(second);
      out.put(Shortest{-1.17549435e-38f}, ";", JsonNumber{std::numeric_limits<float>::infinity()}, ";",
              JsonText{"a\"\x01\xe9"}, ";", std::numeric_limits<std::uint64_t>::max(), "\n");
    }
    second_expected += "-1.1754944e-38;null;\"a\\\"\\u0001\xc3\xa9\";18446744073709551615\n";
    second.append(long_text);
    second_expected += long_text;
  }
  first.flush();
  second.flush();
  ::close(first_descriptor);
  ::close(second_descriptor);
  EXPECT_EQ(folder.read("first"), first_expected);
  EXPECT_EQ(folder.read("second"), second_expected);
}

// A text collected in memory grows past the block's size.
TEST(TextAppender, ATextCollectedInMemoryGrowsAsItNeeds) {
  TextFile file("memory", "test file");
  const std::string long_text(3 * SharedBlock::kSize, 'y');
  file.append(long_text);
  {
    TextAppender out(file);
    out.put("end", 7);
  }
  ScratchFolder folder;
  const std::string path = folder.path("memory");
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  file.write_to(descriptor);
  ::close(descriptor);
  EXPECT_EQ(folder.read("memory"), long_text + "end7");
}

}  // namespace
}  // namespace dedup
