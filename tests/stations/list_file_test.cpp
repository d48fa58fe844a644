#include "stations/list_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "util/fatal_error.h"
#include "stations/read_text.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

std::unique_ptr<StationTable> read_file(const std::string& name) {
  auto table = std::make_unique<StationTable>();
  testing::read_file(name, *table);
  return table;
}

TEST(ListFile, AnEmptyFileHoldsNoRecord) {
  testing::ScratchFolder folder;
  const std::string name = folder.write("empty.txt", "");
  EXPECT_EQ(ListFile(name).content(), "");
  EXPECT_EQ(read_file(name)->n, 0);
}

// The last record ends where the mapping ends, here exactly on a page
// boundary: nothing may be read past it.
TEST(ListFile, ALastLineWithoutLineEndCountsUpToTheLastByte) {
  testing::ScratchFolder folder;
  const std::string first = "A AG 1 2 3\n";
  std::string content = first + "B AG 4 5 ";
  content += std::string(4096 - content.size() - 1, ' ') + "6";
  const std::string name = folder.write("list.txt", content);
  EXPECT_EQ(ListFile(name).content(), content);
  const auto table = read_file(name);
  ASSERT_EQ(table->n, 2);
  EXPECT_EQ(table->id[1].trimmed(), "B");
  EXPECT_EQ(table->prec[1], 6.0f);
}

// A pipe has no size to map: it is read to its end, here well past the
// first room the reader makes.
TEST(ListFile, AFifoIsReadToItsEnd) {
  testing::ScratchFolder folder;
  const std::string name = folder.path("fifo");
  ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0);
  std::string content;
  for (int k = 0; k < 10000; ++k) content += "ST" + std::to_string(k) + " AG 1.5 -2.25 " + std::to_string(k) + "\n";
  std::thread writer([&] { std::ofstream(name, std::ios::binary) << content; });
  const auto table = read_file(name);
  writer.join();
  ASSERT_EQ(table->n, 10000);
  EXPECT_EQ(table->id[9999].trimmed(), "ST9999");
  EXPECT_EQ(table->prec[9999], 9999.0f);
}

TEST(ListFile, AProcFileWhoseSizeReadsAsZeroIsReadWhole) {
  const ListFile file("/proc/self/status");
  const std::string_view status = file.content();
  EXPECT_TRUE(status.starts_with("Name:")) << status;
  EXPECT_NE(status.find("\nVmRSS:"), std::string_view::npos);
}

// Cut short after it was mapped: past the page of the new end (a bus error
// when touched) and within it (only the size tells); either way the bytes
// past the cut read as zeros and the check names the cut.
TEST(ListFile, AListCutShortWhileItIsReadIsAFailure) {
  testing::ScratchFolder folder;
  for (const std::size_t size : {std::size_t{40000}, std::size_t{3000}}) {
    SCOPED_TRACE(size);
    const std::string name = folder.write("list.txt", std::string(size, 'x'));
    ListFile file(name);
    ASSERT_EQ(::truncate(name.c_str(), 1000), 0);
    const std::string_view content = file.content();
    ASSERT_EQ(content.size(), size);
    EXPECT_EQ(content.substr(0, 1000), std::string(1000, 'x'));
    EXPECT_EQ(content.substr(1000), std::string(size - 1000, '\0'));
    try {
      file.check_whole();
      ADD_FAILURE() << "no failure";
    } catch (const FatalError& error) {
      EXPECT_EQ(std::string(error.what()), name + ": the station list was cut short while it was read");
    }
  }
  const std::string whole = folder.write("whole.txt", "A AG 1 2 3\n");
  ListFile file(whole);
  EXPECT_NO_THROW(file.check_whole());
}

}  // namespace
}  // namespace dedup
