#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_folder.h"
#include "support/usage_line.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::kUsage;
using testing::ScratchFolder;

constexpr const char* kList = "A1 ANA -45.5 -23.25 12.3\nA1 ANA -45.5 -23.25 12.3\n";
constexpr const char* kNotes = "{\"type\":\"FeatureCollection\",\n";

struct Refusal {
  std::vector<std::string> args;
  std::string err;
};

// Every refusal leaves each file as it was and nothing new in the folder.
TEST(OutputOptions, MistakesAndFilesThatAreNoMapAreRefusedBeforeAnyFileIsTouched) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  folder.write("kept.txt", "old kept\n");
  folder.write("notes.txt", kNotes);
  ASSERT_EQ(::link(folder.path("list.txt").c_str(), folder.path("alias.txt").c_str()), 0);
  const std::string same = "; name two different files\n";
  const std::string not_map = ": exists and is not a map file; remove it or name another file\n";
  const Refusal refusals[] = {
      {{"--audit"}, "station-dedup: --audit needs the name of the audit file\n" + std::string(kUsage)},
      {{"--audit", "a.csv", "list.txt", "kept.txt"}, kUsage},
      {{"--audit", "a.csv", "--audit", "b.csv", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: --audit is given twice\n" + std::string(kUsage)},
      {{"--audit", " ", "list.txt", "kept.txt", "removed.txt"}, "station-dedup: the name of the audit file is empty\n"},
      {{"--audit", "kept.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: kept.txt: the audit file would overwrite the kept-stations file kept.txt" + same},
      {{"--audit", "./removed.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: ./removed.txt: the audit file would overwrite the removed-stations report removed.txt" + same},
      {{"--audit", "alias.txt", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: alias.txt: the audit file would overwrite the station list list.txt" + same},
      {{"--map"}, "station-dedup: --map needs the name of the map file\n" + std::string(kUsage)},
      {{"--map", "m.json", "--audit", "a.csv", "--map", "n.json", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: --map is given twice\n" + std::string(kUsage)},
      {{"--map", " ", "list.txt", "kept.txt", "removed.txt"}, "station-dedup: the name of the map file is empty\n"},
      {{"--audit", "a.csv", "--map", "./a.csv", "list.txt", "kept.txt", "removed.txt"},
       "station-dedup: ./a.csv: the map file would overwrite the audit file a.csv" + same},
      {{"--map", "alias.txt", "list.txt", "k.txt", "removed.txt"},
       "station-dedup: alias.txt: the map file would overwrite the station list list.txt" + same},
      {{"--map", "kept.txt", "list.txt", "k.txt", "removed.txt"}, "station-dedup: kept.txt" + not_map},
      {{"--map", "notes.txt", "list.txt", "k.txt", "removed.txt"}, "station-dedup: notes.txt" + not_map},
  };
  for (const Refusal& refusal : refusals) {
    std::string command;
    for (const std::string& arg : refusal.args) command += " " + arg;
    SCOPED_TRACE(command);
    const auto result = run_tool(folder.root(), refusal.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, refusal.err);
    EXPECT_EQ(folder.read("list.txt"), kList);
    EXPECT_EQ(folder.read("kept.txt"), "old kept\n");
    EXPECT_EQ(folder.read("notes.txt"), kNotes);
    const auto files = folder.contents();
    EXPECT_EQ(files.count("a.csv"), 0u);
    EXPECT_EQ(files.size(), 4u);
  }
}

TEST(OutputOptions, DoubleDashReachesAListNamedLikeAnOption) {
  ScratchFolder folder;
  folder.write("-x", kList);
  const auto plain = run_tool(folder.root(), {"--", "-x", "kept.txt", "removed.txt"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_FALSE(folder.exists("a.csv"));
  const auto audited = run_tool(folder.root(), {"--audit", "a.csv", "--", "-x", "kept.txt", "removed.txt"});
  EXPECT_EQ(audited.status, 0) << audited.err;
  EXPECT_EQ(audited.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("a.csv"),
            "event,case,first_record,first_line,first_id,second_record,second_line,second_id,distance,removed,"
            "first_reason,second_reason\n"
            "pair,4,1,1,A1,2,2,A1,0,second,,Duplicata exata\n");
}

// A map of an earlier run and an empty file are replaced, by what a new
// name receives; the other files are those of a run without the option.
TEST(MapOption, AnEarlierMapOrAnEmptyFileIsReplaced) {
  ScratchFolder folder;
  folder.write("list.txt", kList);
  ASSERT_EQ(run_tool(folder.root(), {"list.txt", "plain-kept.txt", "plain-removed.txt"}).status, 0);
  ASSERT_EQ(run_tool(folder.root(), {"--map", "new.geojson", "list.txt", "kept.txt", "removed.txt"}).status, 0);
  const std::string map = folder.read("new.geojson");
  ASSERT_EQ(map.rfind("{\"type\":\"FeatureCollection\",\"generator\":\"station-dedup\",\"features\":[\n", 0), 0u);
  folder.write("earlier.geojson", map.substr(0, map.find('\n') + 1) + "]}\n");
  folder.write("empty.geojson", "");
  for (const char* name : {"earlier.geojson", "empty.geojson"}) {
    SCOPED_TRACE(name);
    const auto result = run_tool(folder.root(), {"--map", name, "list.txt", "kept.txt", "removed.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
    EXPECT_EQ(folder.read(name), map);
    EXPECT_EQ(folder.read("kept.txt"), folder.read("plain-kept.txt"));
    EXPECT_EQ(folder.read("removed.txt"), folder.read("plain-removed.txt"));
  }
}

}  // namespace
}  // namespace dedup
