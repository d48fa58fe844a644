// The screening's decisions on hand-made tables, each run through the scan
// the program uses and through the plain reference scan.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "screening/duplicate_screen.h"
#include "screening/station_rows.h"

namespace dedup::testing {
namespace {

const std::string R1 = "IDs diferentes, local e precipitacao iguais";
const std::string R2 = "IDs diferentes, locais iguais e precipitacao diferente";
const std::string R3 = "Duplicata exata";
const std::string R4 = "IDs iguais, locais iguais, precipitacao diferente";
const std::string R5 = "Distancia menor que 2000m";
const std::string R6 = "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m";

const Outcome kKept{0, 0, ""};
Outcome removed(const std::string& reason) { return {1, 0, reason}; }
Outcome conflict(const std::string& reason) { return {1, 1, reason}; }

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The scan the program uses settles a table's first row by the plain rule and
// builds its index for the rows after; two leading records that act with
// nothing make every row of the table proper go through the index.
struct Scan {
  const char* name;
  ScreenFunction screen;
  bool lead_in;
};

void PrintTo(const Scan& scan, std::ostream* out) { *out << scan.name; }

class ScreenCases : public ::testing::TestWithParam<Scan> {
 protected:
  std::vector<Outcome> run(const std::vector<Row>& rows) const {
    if (!GetParam().lead_in) return screen_rows(GetParam().screen, rows);
    std::vector<Row> led{{"lead-in 1", 170.0f, 80.0f, 0.0f}, {"lead-in 2", 171.0f, 81.0f, 0.0f}};
    led.insert(led.end(), rows.begin(), rows.end());
    std::vector<Outcome> result = screen_rows(GetParam().screen, led);
    const std::vector<Outcome> lead_kept(2);
    EXPECT_EQ(std::vector<Outcome>(result.begin(), result.begin() + 2), lead_kept);
    result.erase(result.begin(), result.begin() + 2);
    return result;
  }
};

INSTANTIATE_TEST_SUITE_P(AllScans, ScreenCases,
                         ::testing::Values(Scan{"indexed", &DuplicateScreen::screen, false},
                                           Scan{"indexed_rows", &DuplicateScreen::screen, true},
                                           Scan{"plain", &DuplicateScreen::screen_plain, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(ScreenCases, NoPairWithFewerThanTwoRecords) {
  EXPECT_TRUE(run({}).empty());
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}}), std::vector<Outcome>{kKept});
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, kNaN}}), std::vector<Outcome>{kKept});
}

TEST_P(ScreenCases, OtherIdentifiersAtOnePlace) {
  // Case 1: the later record goes.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"B", -45.0f, -23.5f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R1)}));
  // Case 2: both go, both carry the reason, neither identifier is purged.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"B", -45.0f, -23.5f, 2.0f}, {"A", 10.0f, 10.0f, 1.0f}}),
            (std::vector<Outcome>{removed(R2), removed(R2), kKept}));
  // Case 3: however close, other identifiers at other places never act.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"B", -45.0f, -23.500002f, 1.0f}}),
            (std::vector<Outcome>{kKept, kKept}));
}

TEST_P(ScreenCases, OneIdentifierAtOnePlace) {
  // Case 4, also for three copies: every later copy goes.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"A", -45.0f, -23.5f, 1.0f}, {"A", -45.0f, -23.5f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R3), removed(R3)}));
  // Case 5: both are marked, and the purge takes the far third record too,
  // without a reason.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"A", -45.0f, -23.5f, 2.0f}, {"A", 10.0f, 10.0f, 1.0f}}),
            (std::vector<Outcome>{conflict(R4), conflict(R4), removed("")}));
  // A NaN amount equals nothing, itself included: case 5 again.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, kNaN}, {"A", -45.0f, -23.5f, kNaN}}),
            (std::vector<Outcome>{conflict(R4), conflict(R4)}));
}

TEST_P(ScreenCases, OneIdentifierAtOtherPlaces) {
  // Case 6: near, equal amounts.
  EXPECT_EQ(run({{"A", -45.0f, -10.0f, 1.0f}, {"A", -45.0f, -10.01f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R5)}));
  // Case 7: at exactly the threshold is not near.
  EXPECT_EQ(run({{"A", -45.0f, 0.0f, 1.0f}, {"A", -45.0f, 0.02f, 1.0f}}), (std::vector<Outcome>{kKept, kKept}));
  // Case 8: both go, only the later one has a reason, nothing is purged.
  EXPECT_EQ(run({{"A", -45.0f, -10.0f, 1.0f}, {"A", -45.01f, -10.0f, 2.0f}, {"A", 10.0f, 10.0f, 1.0f}}),
            (std::vector<Outcome>{removed(""), removed(R6), kKept}));
  // Case 9: far, other amounts.
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f}, {"A", -45.0f, -23.52f, 2.0f}}), (std::vector<Outcome>{kKept, kKept}));
}

TEST_P(ScreenCases, RemovedFirstMemberGoesOnAndLastReasonWins) {
  // Record 1 is removed by its pair with 2 and still meets 3 (R4 replaces
  // R2), 4 (case 1) and 5 (case 8, which leaves record 1's reason alone).
  EXPECT_EQ(run({{"A", -45.0f, -23.5f, 1.0f},
                 {"B", -45.0f, -23.5f, 2.0f},
                 {"A", -45.0f, -23.5f, 3.0f},
                 {"C", -45.0f, -23.5f, 1.0f},
                 {"A", -45.0f, -23.51f, 7.0f}}),
            (std::vector<Outcome>{conflict(R4), removed(R2), conflict(R4), removed(R1), removed(R6)}));
}

TEST_P(ScreenCases, RecordRemovedBeforeItsTurnIsNoFirstMember) {
  // Record 2 goes with record 1; as a first member it would have removed
  // record 3 (same identifier, near), but it is skipped.
  EXPECT_EQ(run({{"A", 0.0f, 0.0f, 1.0f}, {"B", 0.0f, 0.0f, 1.0f}, {"B", 0.01f, 0.0f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R1), kKept}));
}

TEST_P(ScreenCases, IdentifiersCompareOverFiftyBytesWithCase) {
  const std::string fifty(50, 'x');
  EXPECT_EQ(run({{"A1", 1.0f, 2.0f, 1.0f}, {"a1", 1.0f, 2.0f, 1.0f}}), (std::vector<Outcome>{kKept, removed(R1)}));
  EXPECT_EQ(run({{fifty + "1", 1.0f, 2.0f, 1.0f}, {fifty + "2", 1.0f, 2.0f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R3)}));
  EXPECT_EQ(run({{fifty.substr(1) + "1", 1.0f, 2.0f, 1.0f}, {fifty.substr(1) + "2", 1.0f, 2.0f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R1)}));
}

TEST_P(ScreenCases, SpecialCoordinates) {
  // -0.0 and 0.0 are one place.
  EXPECT_EQ(run({{"A", 0.0f, -0.0f, 1.0f}, {"B", -0.0f, 0.0f, 1.0f}}), (std::vector<Outcome>{kKept, removed(R1)}));
  // A NaN coordinate is at no place and near nothing.
  EXPECT_EQ(run({{"A", kNaN, 1.0f, 1.0f}, {"A", kNaN, 1.0f, 1.0f}, {"B", kNaN, 1.0f, 1.0f}}),
            (std::vector<Outcome>{kKept, kKept, kKept}));
  // Infinity shares a place with itself but is near nothing.
  EXPECT_EQ(run({{"A", kInf, 1.0f, 1.0f}, {"A", kInf, 1.0f, 1.0f}, {"A", kInf, 1.001f, 1.0f}}),
            (std::vector<Outcome>{kKept, removed(R3), kKept}));
  // At 1e30 neighbouring floats are far apart, but an equal coordinate still
  // leaves the other one to decide.
  const float huge = 1e30f;
  const float next = std::nextafter(huge, 2e30f);
  EXPECT_EQ(run({{"A", huge, 5.0f, 1.0f}, {"A", next, 5.0f, 1.0f}, {"A", huge, 5.01f, 1.0f}}),
            (std::vector<Outcome>{kKept, kKept, removed(R5)}));
}

TEST_P(ScreenCases, NearRecordsAcrossGridCells) {
  // One identifier on a diagonal 0.006 apart in both coordinates, crossing
  // 0 and several multiples of 0.025: neighbours one and two steps apart are
  // near, three steps apart are not. Amounts 0, 1, 2, 0, 1, 2, ... so each
  // record 3k removes the next two (case 8) and is removed by them, without
  // a reason of its own, and never meets record 3k + 3 (case 7).
  std::vector<Row> rows;
  std::vector<Outcome> expected;
  for (int k = 0; k < 12; ++k) {
    const float step = -0.03f + 0.006f * static_cast<float>(k);
    rows.push_back({"A", step, 0.05f - step, static_cast<float>(k % 3)});
    expected.push_back(k % 3 == 0 ? removed("") : removed(R6));
  }
  EXPECT_EQ(run(rows), expected) << describe(rows);
}

}  // namespace
}  // namespace dedup::testing
