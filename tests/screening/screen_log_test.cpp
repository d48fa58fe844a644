// The screening's log on hand-made tables, through both scans: which record
// a purge and a case-8 pair are matched with, and which kept pairs are
// listed for review.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "screening/duplicate_screen.h"
#include "screening/near_kept_pairs.h"
#include "screening/pair_rule.h"
#include "screening/station_rows.h"

namespace dedup::testing {
namespace {

using Kind = ScreenEvent::Kind;
using Removed = ScreenEvent::Removed;

// The events of both scans, which must agree.
std::vector<ScreenEvent> logged(const std::vector<Row>& rows) {
  const auto table = std::make_unique<StationTable>();
  load(*table, rows);
  ScreenLog plain;
  DuplicateScreen::screen_plain(*table, &plain);
  load(*table, rows);
  ScreenLog log;
  DuplicateScreen::screen(*table, &log);
  EXPECT_EQ(describe(log.events()), describe(plain.events()));
  return log.events();
}

constexpr bool kSamePrec = true;
constexpr bool kOtherPrec = false;

// Slots are 0-based, as the log keeps them; case 0 stands for none.
ScreenEvent event(Kind kind, int pair_case, std::int32_t first, std::int32_t second, float distance,
                  Removed removed, bool same_prec, std::string_view first_reason, std::string_view second_reason) {
  const auto as_case = pair_case == 0 ? std::nullopt : std::optional(static_cast<PairCase>(pair_case));
  return {kind, first, second, as_case, distance, removed, same_prec, first_reason, second_reason};
}

TEST(ScreenLog, APurgedRecordIsMatchedWithTheFirstMarkedRecordOfItsIdentifier) {
  // Record 1 lies far from the conflict of records 2 and 3; record 5 after it.
  const std::vector<Row> rows{{"X", -44.5f, -19.9f, 28.5f},
                              {"X", -44.0f, -19.4f, 31.2f},
                              {"Y", -40.0f, -10.0f, 1.0f},
                              {"X", -44.0f, -19.4f, 31.0f},
                              {"X", -44.0f, -19.0f, 2.0f}};
  const float to_first = distance(-44.5f, -19.9f, -44.0f, -19.4f);
  const float to_last = distance(-44.0f, -19.4f, -44.0f, -19.0f);
  EXPECT_EQ(describe(logged(rows)),
            describe({event(Kind::kPair, 5, 1, 3, 0.0f, Removed::kBoth, kOtherPrec, reason_text(ReasonCode::kSamePlaceOtherPrec),
                            reason_text(ReasonCode::kSamePlaceOtherPrec)),
                      event(Kind::kPurge, 0, 0, 1, to_first, Removed::kFirst, kOtherPrec, "", reason_text(ReasonCode::kSamePlaceOtherPrec)),
                      event(Kind::kPurge, 0, 1, 4, to_last, Removed::kSecond, kOtherPrec, reason_text(ReasonCode::kSamePlaceOtherPrec), "")}));
}

TEST(ScreenLog, ACaseEightPairNamesBothRecordsAndTheReasonOnlyInTheLater) {
  // Record 1 first gets R2 from record 2 at its place; the case-8 pair with
  // record 3 leaves it, and record 4 (R1 with record 1) replaces nothing.
  const std::vector<Row> rows{{"A", -39.27f, -5.19f, 18.6f},
                              {"B", -39.27f, -5.19f, 3.0f},
                              {"A", -39.275f, -5.188f, 21.0f},
                              {"C", -39.27f, -5.19f, 18.6f}};
  const float apart = distance(-39.27f, -5.19f, -39.275f, -5.188f);
  EXPECT_EQ(describe(logged(rows)),
            describe({event(Kind::kPair, 2, 0, 1, 0.0f, Removed::kBoth, kOtherPrec, reason_text(ReasonCode::kOtherIdOtherPrec), reason_text(ReasonCode::kOtherIdOtherPrec)),
                      event(Kind::kPair, 8, 0, 2, apart, Removed::kBoth, kOtherPrec, reason_text(ReasonCode::kOtherIdOtherPrec), reason_text(ReasonCode::kNearOtherPrec)),
                      event(Kind::kPair, 1, 0, 3, 0.0f, Removed::kSecond, kSamePrec, reason_text(ReasonCode::kOtherIdOtherPrec),
                            reason_text(ReasonCode::kOtherIdSamePrec))}));
}

TEST(ScreenLog, ReviewPairsAreFoundAcrossCellBoundariesAndOnlyBelowTheThreshold) {
  // Cells are 0.025 wide: each near pair below straddles a boundary, the
  // later record in the next cell, or in the cell before it across a corner,
  // or across zero. Records 7 and 8 are exactly 0.02 apart; record 9 is a
  // copy of record 2, removed, so never reviewed.
  const std::vector<Row> rows{{"P1", 0.0249f, 10.0f, 1.0f},    {"P2", 0.0251f, 10.0f, 2.0f},
                              {"Q1", 0.0501f, 0.0501f, 1.0f},  {"Q2", 0.0499f, 0.0499f, 1.0f},
                              {"R1", 20.0f, 0.001f, 1.0f},     {"R2", 20.0f, -0.001f, 1.0f},
                              {"S1", 30.0f, 0.0f, 1.0f},       {"S2", 30.0f, 0.02f, 1.0f},
                              {"P2", 0.0251f, 10.0f, 2.0f}};
  const auto review = [](std::int32_t first, std::int32_t second, float d, bool same_prec) {
    return event(Kind::kReview, 3, first, second, d, Removed::kNone, same_prec, "", "");
  };
  EXPECT_EQ(describe(logged(rows)),
            describe({event(Kind::kPair, 4, 1, 8, 0.0f, Removed::kSecond, kSamePrec, "", reason_text(ReasonCode::kExactCopy)),
                      review(0, 1, distance(0.0249f, 10.0f, 0.0251f, 10.0f), kOtherPrec),
                      review(2, 3, distance(0.0501f, 0.0501f, 0.0499f, 0.0499f), kSamePrec),
                      review(4, 5, distance(20.0f, 0.001f, 20.0f, -0.001f), kSamePrec)}));
}

TEST(ScreenLog, AnIdentifierKeptTwiceIsReviewedWithItsFirstKeptRecord) {
  // K: records 1 and 2 leave by case 8; record 3 is then K's first kept
  // record, and records 5 (case 7, far with the same amount) and 6 (case 9,
  // far with another) are each matched with it, not with each other. M is
  // kept once and removed once (an exact copy): no review row. The near
  // pair of other identifiers, records 4 and 7, comes in order of its first
  // record.
  const std::vector<Row> rows{{"K", 1.0f, 1.0f, 5.0f},   {"K", 1.01f, 1.0f, 6.0f}, {"K", 3.0f, 3.0f, 5.0f},
                              {"N", 8.0f, 8.0f, 1.0f},   {"K", 4.0f, 3.0f, 5.0f},  {"K", 5.0f, 3.0f, 7.0f},
                              {"O", 8.01f, 8.0f, 1.0f},  {"M", 9.0f, 9.0f, 2.0f},  {"M", 9.0f, 9.0f, 2.0f}};
  const auto review = [](int pair_case, std::int32_t first, std::int32_t second, float d, bool same_prec) {
    return event(Kind::kReview, pair_case, first, second, d, Removed::kNone, same_prec, "", "");
  };
  EXPECT_EQ(describe(logged(rows)),
            describe({event(Kind::kPair, 8, 0, 1, distance(1.0f, 1.0f, 1.01f, 1.0f), Removed::kBoth, kOtherPrec, "",
                            reason_text(ReasonCode::kNearOtherPrec)),
                      event(Kind::kPair, 4, 7, 8, 0.0f, Removed::kSecond, kSamePrec, "",
                            reason_text(ReasonCode::kExactCopy)),
                      review(7, 2, 4, 1.0f, kSamePrec), review(9, 2, 5, 2.0f, kOtherPrec),
                      review(3, 3, 6, distance(8.0f, 8.0f, 8.01f, 8.0f), kSamePrec)}));
}

// The grid search against every pair compared, on clusters that straddle cell
// boundaries on both sides of zero and lie one fold of the occupancy bitmap
// apart (128 cells of 0.025 at this size), with non-finite coordinates and
// removed records among them.
TEST(ScreenLog, ReviewSearchFindsExactlyTheNearKeptPairsOfEveryPairCompared) {
  const auto table = std::make_unique<StationTable>();
  const float kCentres[] = {-3.2f, 0.0f, 3.2f, 6.4f};
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> offset(-0.06f, 0.06f);
    std::vector<Row> rows;
    for (int k = 0; k < 600; ++k) {
      Row row{numbered("R", rng() % 40), kCentres[rng() % 4] + offset(rng), kCentres[rng() % 4] + offset(rng), 1.0f};
      if (rng() % 50 == 0) row.lat = std::numeric_limits<float>::quiet_NaN();
      if (rng() % 50 == 0) row.lon = std::numeric_limits<float>::infinity();
      if (rng() % 10 == 0) row.lat = rows.empty() ? row.lat : rows.back().lat;  // some at one place
      if (rng() % 10 == 0) row.lon = rows.empty() ? row.lon : rows.back().lon;
      rows.push_back(row);
    }
    load(*table, rows);
    for (std::int32_t k = 0; k < table->n; ++k) table->remove[k] = rng() % 5 == 0 ? 1 : 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> every;
    for (std::int32_t i = 0; i < table->n; ++i) {
      for (std::int32_t j = i + 1; j < table->n; ++j) {
        const float lon_i = table->lon[i], lat_i = table->lat[i], lon_j = table->lon[j], lat_j = table->lat[j];
        if (table->remove[i] == 0 && table->remove[j] == 0 && !same_id(*table, i, j) &&
            !same_place(lon_i, lat_i, lon_j, lat_j) && near(lon_i, lat_i, lon_j, lat_j)) {
          every.emplace_back(i, j);
        }
      }
    }
    EXPECT_GT(every.size(), 100u) << "seed " << seed;
    EXPECT_EQ(near_kept_pairs(*table), every) << "seed " << seed;
  }
}

}  // namespace
}  // namespace dedup::testing
