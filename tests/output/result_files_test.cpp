#include "output/writers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commit/output_set.h"
#include "util/fatal_error.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

constexpr const char* kHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";

void write_one(const StationTable& table, const std::string& name, bool kept) {
  OutputSet outputs({{name, kept ? "kept-stations file" : "removed-stations report"}});
  if (kept) {
    write_kept(table, outputs.file(0));
  } else {
    write_removed(table, outputs.file(0));
  }
  outputs.finish();
  EXPECT_TRUE(outputs.commit().empty());
}

class ResultFiles : public ::testing::Test {
 protected:
  ResultFiles() : table(std::make_unique<StationTable>()) { table->reset_screening(); }

  // Appends a record; a given reason (even kNone) removes it.
  void add(const std::string& id, const std::string& orgao, float lon, float lat, float prec,
           std::optional<ReasonCode> reason = std::nullopt) {
    table->store(table->n, StationRecord{IdText(id), IdText(orgao), lon, lat, prec});
    if (reason) {
      table->remove[table->n] = 1;
      table->reason[table->n] = *reason;
    }
    ++table->n;
  }

  void write_both() {
    OutputSet outputs({{folder.path("kept.txt"), "kept-stations file"},
                       {folder.path("removed.txt"), "removed-stations report"}});
    write_kept(*table, outputs.file(0));
    write_removed(*table, outputs.file(1));
    outputs.finish();
    EXPECT_TRUE(outputs.commit().empty());
  }

  std::unique_ptr<StationTable> table;
  testing::ScratchFolder folder;
};

TEST_F(ResultFiles, WritesTheLayoutsOfBothFilesInRecordOrder) {
  add("ST01", "AG1", -45.5f, -23.25f, 12.3f);
  add("ST01", "AG1", -45.5f, -23.25f, 12.3f, ReasonCode::kExactCopy);
  add("ST02", "AG2", -145.123456f, 5.0f, -0.004f);
  add("ST03", "AG3", 1.0f, 2.0f, 0.125f, ReasonCode::kNone);
  write_both();
  EXPECT_EQ(folder.read("kept.txt"),
            "ST01  AG1    -45.500000    -23.250000     12.30\n"
            "ST02  AG2   -145.123459      5.000000     -0.00\n");
  EXPECT_EQ(folder.read("removed.txt"),
            std::string(kHeader) +
                "ST01  AG1  -45.500000  -23.250000     12.30  Duplicata exata\n"
                "ST03  AG3    1.000000    2.000000      0.12  \n");
}

TEST_F(ResultFiles, TextsAreWrittenTrimmedAndUnchanged) {
  const std::string id50(50, 'I');
  const std::string orgao50 = "O" + std::string(48, ' ') + "O";
  const std::string longest_reason = "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m";
  add("", "AG", 1.0f, 1.0f, 1.0f);
  add("E1", "", 2.0f, 2.0f, 2.0f);
  add("  LB", " A, B ", 3.0f, 3.0f, 3.0f);
  add(id50, orgao50, 4.0f, 4.0f, 4.0f, ReasonCode::kNearOtherPrec);
  add("", "", 5.0f, 5.0f, 5.0f, ReasonCode::kOtherIdOtherPrec);
  write_both();
  EXPECT_EQ(folder.read("kept.txt"),
            "  AG      1.000000      1.000000      1.00\n"
            "E1        2.000000      2.000000      2.00\n"
            "  LB   A, B      3.000000      3.000000      3.00\n");
  EXPECT_EQ(folder.read("removed.txt"),
            std::string(kHeader) + id50 + "  " + orgao50 + "    4.000000    4.000000      4.00  " +
                longest_reason + "\n" +
                "      5.000000    5.000000      5.00  IDs diferentes, locais iguais e precipitacao diferente\n");
}

TEST_F(ResultFiles, OnlyRecordsUpToTheCountAreWritten) {
  add("IN", "AG", 1.0f, 1.0f, 1.0f);
  add("OUT", "AG", 2.0f, 2.0f, 2.0f);
  add("OUTR", "AG", 3.0f, 3.0f, 3.0f, ReasonCode::kExactCopy);
  table->n = 1;
  write_both();
  EXPECT_EQ(folder.read("kept.txt"), "IN  AG      1.000000      1.000000      1.00\n");
  EXPECT_EQ(folder.read("removed.txt"), kHeader);
}

TEST_F(ResultFiles, EarlierContentsAreDiscardedAlsoWhenNothingIsWritten) {
  folder.write("kept.txt", "old line 1\nold line 2\n");
  folder.write("removed.txt", "old report\n");
  write_both();
  EXPECT_EQ(folder.read("kept.txt"), "");
  EXPECT_EQ(folder.read("removed.txt"), kHeader);

  add("GONE", "AG", 1.0f, 1.0f, 1.0f, ReasonCode::kExactCopy);
  folder.write("kept.txt", "old line\n");
  write_one(*table, folder.path("kept.txt"), true);
  EXPECT_EQ(folder.read("kept.txt"), "");
}

TEST_F(ResultFiles, LinesOfEveryTextLengthFillTheBlockToItsLastByte) {
  // Lines of the longest kind fill the block the files go through, then
  // three shorter ones leave room for exactly one more of the longest,
  // which ends on the block's last byte; every text length from 0 to 50
  // follows.
  constexpr std::size_t kFields = 2 + 12 + 2 + 12 + 2 + 8 + 1;  // what follows the orgao
  constexpr std::size_t kLongest = 50 + 2 + 50 + kFields;
  std::vector<std::size_t> text_lengths((SharedBlock::kSize - kLongest - 3 * (2 + kFields)) / kLongest, 100);
  const std::size_t rest = SharedBlock::kSize - kLongest - text_lengths.size() * kLongest - 3 * (2 + kFields);
  text_lengths.insert(text_lengths.end(), {rest / 3, rest / 3, rest - 2 * (rest / 3), 100});
  for (std::size_t length = 0; length <= 50; ++length) text_lengths.push_back(length);
  std::string expected;
  for (const std::size_t length : text_lengths) {
    std::string id(std::min<std::size_t>(length, 50), 'i');
    std::string orgao(length - id.size(), 'o');
    if (id.size() > 2) id[id.size() / 2] = ' ';
    add(id, orgao, -45.5f, -23.25f, 12.3f);
    expected += id + "  " + orgao + "    -45.500000    -23.250000     12.30\n";
  }
  write_both();
  EXPECT_EQ(folder.read("kept.txt"), expected);
}

void expect_fatal_naming(const std::function<void()>& write, const std::string& name,
                         const std::string& what) {
  try {
    write();
    ADD_FAILURE() << "no failure writing " << name;
  } catch (const FatalError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind(name + ": cannot ", 0), 0u) << message;
    EXPECT_NE(message.find(what), std::string::npos) << message;
  }
}

TEST_F(ResultFiles, WriteFailuresAreFatalAndNameTheFile) {
  add("ST01", "AG1", -45.5f, -23.25f, 12.3f);
  expect_fatal_naming([&] { write_one(*table, "/dev/full", true); }, "/dev/full",
                      "kept-stations file: No space left on device");
  expect_fatal_naming([&] { write_one(*table, "/dev/full", false); }, "/dev/full",
                      "removed-stations report: No space left on device");
  const std::string missing = folder.path("no-such-folder/kept.txt");
  expect_fatal_naming([&] { write_one(*table, missing, true); }, missing,
                      "write the kept-stations file: folder " + folder.path("no-such-folder") + " does not exist");
}

TEST_F(ResultFiles, LargeOutputFailsAtTheWriteItself) {
  for (int k = 0; k < kMaxStations; ++k) add("STATION" + std::to_string(k), "AG", 1.0f, 2.0f, 3.0f);
  expect_fatal_naming([&] { write_one(*table, "/dev/full", true); }, "/dev/full", "No space left on device");
}

}  // namespace
}  // namespace dedup
