// The distance test, step by step in float.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "screening/duplicate_screen.h"
#include "screening/pair_rule.h"
#include "screening/station_rows.h"

namespace dedup::testing {
namespace {

TEST(Near, DistanceExamples) {
  // d = 0.020000458 in float: not below the threshold.
  EXPECT_FALSE(near(-45.0f, -23.5f, -45.0f, -23.52f));
  // d = 0.010000229.
  EXPECT_TRUE(near(-45.0f, -10.0f, -45.0f, -10.01f));
  // d equals the threshold exactly.
  EXPECT_FALSE(near(-45.0f, 0.0f, -45.0f, 0.02f));
  EXPECT_FALSE(near(-45.0f, 0.02f, -45.0f, 0.0f));
}

TEST(Near, NonFiniteCoordinatesAreNeverNear) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(near(inf, 1.0f, inf, 1.0f));
  EXPECT_FALSE(near(1.0f, -inf, 1.0f, -inf));
  EXPECT_FALSE(near(nan, 1.0f, nan, 1.0f));
  EXPECT_FALSE(near(1.0f, nan, 1.0f, 1.0f));
}

// Found by search: both differences non-zero, and s rounds to a float whose
// square root is exactly the threshold, while a fused multiply-add (either
// way round) keeps one square unrounded and ends just below it.
constexpr float kLon1 = -8.75f;
constexpr float kLat1 = -5.5f;
constexpr float kLon2 = -8.73745441f;
constexpr float kLat2 = -5.48442411f;

TEST(Near, EveryStepRoundsToFloat) {
  const float dlat = kLat1 - kLat2;
  const float dlon = kLon1 - kLon2;
  ASSERT_NE(dlat, 0.0f);
  ASSERT_NE(dlon, 0.0f);
  ASSERT_LT(std::sqrt(std::fma(dlat, dlat, dlon * dlon)), kNearThreshold);
  ASSERT_LT(std::sqrt(std::fma(dlon, dlon, dlat * dlat)), kNearThreshold);
  EXPECT_FALSE(near(kLon1, kLat1, kLon2, kLat2));
  EXPECT_FALSE(near(kLon2, kLat2, kLon1, kLat1));
}

TEST(Near, BothScansKeepThePinnedPair) {
  const std::vector<Row> rows{{"A", kLon1, kLat1, 1.0f}, {"A", kLon2, kLat2, 1.0f}};
  const std::vector<Outcome> kept(2);
  EXPECT_EQ(screen_rows(&DuplicateScreen::screen, rows), kept);
  EXPECT_EQ(screen_rows(&DuplicateScreen::screen_plain, rows), kept);
}

// Cells -1 and 0 in both coordinates: next to each other, but at the two
// ends of the square onto which the index folds its bitmap of occupied cells.
// Only the first row of four is scanned without the index.
TEST(Near, BothScansFindANearPairAcrossZero) {
  const std::vector<Row> rows{
      {"B", 10.0f, 10.0f, 0.0f}, {"A", -0.005f, -0.005f, 1.0f}, {"A", 0.005f, 0.005f, 2.0f}, {"C", 20.0f, 20.0f, 0.0f}};
  const std::vector<Outcome> plain = screen_rows(&DuplicateScreen::screen_plain, rows);
  EXPECT_NE(plain, std::vector<Outcome>(4));
  EXPECT_EQ(screen_rows(&DuplicateScreen::screen, rows), plain);
}

}  // namespace
}  // namespace dedup::testing
