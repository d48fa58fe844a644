// The map file's texts and numbers on hand-made tables: what a GIS reads
// must be strict JSON in UTF-8, whatever bytes and values the list held.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commit/output_set.h"
#include "output/writers.h"
#include "screening/duplicate_screen.h"
#include "stations/station_table.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class MapFile : public ::testing::Test {
 protected:
  MapFile() : table(std::make_unique<StationTable>()) { table->reset_screening(); }

  void add(const std::string& id, const std::string& orgao, float lon, float lat, float prec) {
    table->store(table->n, StationRecord{IdText(id), IdText(orgao), lon, lat, prec});
    lines.push_back(2 * table->n + 1);
    ++table->n;
  }

  std::string written(const std::vector<ScreenEvent>& events = {}) {
    OutputSet outputs({{folder.path("map.geojson"), "map file"}});
    write_map(*table, events, lines, outputs.file(0));
    EXPECT_TRUE(outputs.commit().empty());
    return folder.read("map.geojson");
  }

  std::unique_ptr<StationTable> table;
  std::vector<std::int64_t> lines;
  testing::ScratchFolder folder;
};

TEST_F(MapFile, TextsBecomeUtf8WithTheirQuotesBackslashesAndControlsEscaped) {
  add("S\xe3o Jos\xe9", "Ju\xc3\xa1 \xf0\x9f\x8c\xa7", 1.0f, 2.0f, 3.0f);  // Latin-1; UTF-8 of 2 and 4 bytes
  add("A\"B\\C", "\x01\t\x1f\x7f", 1.0f, 2.0f, 3.0f);
  // Not UTF-8, so Latin-1 byte by byte: an overlong '/', a surrogate, a
  // value above U+10FFFF, a stray continuation byte, a sequence cut short.
  add("\xc0\xaf|\xed\xa0\x80|\xf4\x90\x80\x80|\x80|\xe2\x82", "", 1.0f, 2.0f, 3.0f);
  const std::string map = written();
  EXPECT_NE(map.find("\"id\":\"S\xc3\xa3o Jos\xc3\xa9\",\"agency\":\"Ju\xc3\xa1 \xf0\x9f\x8c\xa7\""), std::string::npos)
      << map;
  EXPECT_NE(map.find("\"id\":\"A\\\"B\\\\C\",\"agency\":\"\\u0001\\t\\u001f\x7f\""), std::string::npos) << map;
  EXPECT_NE(map.find("\"id\":\"\xc3\x80\xc2\xaf|\xc3\xad\xc2\xa0\xc2\x80|\xc3\xb4\xc2\x90\xc2\x80\xc2\x80|\xc2\x80|"
                     "\xc3\xa2\xc2\x82\",\"agency\":\"\""),
            std::string::npos)
      << map;
}

TEST_F(MapFile, ValuesThatAreNotFiniteAreNullAndSoIsTheirGeometry) {
  add("P", "A", -0.0f, 1e-05f, kNaN);
  add("Q", "A", kNaN, 2.0f, -kInf);
  add("R", "A", 3.0f, kInf, 16777216.0f);
  add("S", "A", 0.25f, -1.5f, 0.0f);
  table->remove[1] = 1;
  table->reason[1] = ReasonCode::kExactCopy;
  using Kind = ScreenEvent::Kind;
  using Removed = ScreenEvent::Removed;
  // Slots are 0-based; the map numbers records from 1.
  const std::vector<ScreenEvent> events{{Kind::kPair, 0, 1, PairCase::kExactCopy, kNaN, Removed::kSecond, false, "", "Duplicata exata"},
                                        {Kind::kPurge, 0, 2, std::nullopt, kInf, Removed::kFirst, false, "", ""},
                                        {Kind::kReview, 0, 3, PairCase::kFarOtherPrec, 0.5f, Removed::kNone, true, "", ""}};
  EXPECT_EQ(
      written(events),
      std::string(kMapStart) +
          R"({"type":"Feature","geometry":{"type":"Point","coordinates":[-0,1e-05]},"properties":{"record":1,"line":1,"id":"P","agency":"A","precipitation":null,"status":"kept","reason":""}},)"
          "\n"
          R"({"type":"Feature","geometry":null,"properties":{"record":2,"line":3,"id":"Q","agency":"A","precipitation":null,"status":"removed","reason":"Duplicata exata"}},)"
          "\n"
          R"({"type":"Feature","geometry":null,"properties":{"record":3,"line":5,"id":"R","agency":"A","precipitation":16777216,"status":"kept","reason":""}},)"
          "\n"
          R"({"type":"Feature","geometry":{"type":"Point","coordinates":[0.25,-1.5]},"properties":{"record":4,"line":7,"id":"S","agency":"A","precipitation":0,"status":"kept","reason":""}},)"
          "\n"
          R"({"type":"Feature","geometry":null,"properties":{"event":"pair","case":4,"first_record":1,"second_record":2,"distance":null,"removed":"second","same_precipitation":false}},)"
          "\n"
          R"({"type":"Feature","geometry":null,"properties":{"event":"purge","case":null,"first_record":1,"second_record":3,"distance":null,"removed":"first","same_precipitation":false}},)"
          "\n"
          R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[[-0,1e-05],[0.25,-1.5]]},"properties":{"event":"review","case":9,"first_record":1,"second_record":4,"distance":0.5,"removed":"none","same_precipitation":true}})"
          "\n]}\n");
}

TEST_F(MapFile, AnEmptyListIsAnEmptyCollection) {
  EXPECT_EQ(written(), std::string(kMapStart) + "]}\n");
}

}  // namespace
}  // namespace dedup
