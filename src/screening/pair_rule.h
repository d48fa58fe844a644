#pragma once
// The rule for one pair of records (i before j), which both pairwise scans
// apply: the four predicates, the nine cases and each case's action. Near is
// computed in float, every step rounded (no -ffast-math, -ffp-contract=off).

#include <array>
#include <cassert>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "screening/screen_log.h"
#include "stations/reason_code.h"
#include "stations/station_table.h"

#if defined(__FAST_MATH__)
#error "duplicate screening needs IEEE float arithmetic; do not build it with -ffast-math"
#endif
static_assert(FLT_EVAL_METHOD == 0, "duplicate screening needs every float step rounded to float");

namespace dedup {

// Near: a distance strictly below this (the nearest float to 0.02).
inline constexpr float kNearThreshold = 0.02f;

inline bool same_id(const StationTable& table, std::int32_t a, std::int32_t b) { return table.id[a] == table.id[b]; }

// Exact float equality of both coordinates: -0.0 equals 0.0, NaN equals nothing.
inline bool same_place(float lon_a, float lat_a, float lon_b, float lat_b) { return lon_a == lon_b && lat_a == lat_b; }

inline bool same_prec(float prec_a, float prec_b) { return prec_a == prec_b; }

// The distance of two places, each step rounded to float.
inline float distance(float lon_a, float lat_a, float lon_b, float lat_b) {
  const float dlat = lat_a - lat_b;
  const float dlon = lon_a - lon_b;
  const float s = dlat * dlat + dlon * dlon;
  return std::sqrt(s);
}

// d < kNearThreshold, on d itself. A NaN d is not near.
inline bool near(float lon_a, float lat_a, float lon_b, float lat_b) {
  return distance(lon_a, lat_a, lon_b, lat_b) < kNearThreshold;
}

// The case from the predicates; same_prec() and near() asked only where it depends on them.
template <class SamePrec, class Near>
constexpr PairCase classify(bool same_id, bool same_place, SamePrec same_prec, Near near) {
  if (!same_id) {
    if (!same_place) return PairCase::kOtherIdOtherPlace;
    return same_prec() ? PairCase::kOtherIdSamePlaceSamePrec : PairCase::kOtherIdSamePlaceOtherPrec;
  }
  const bool prec = same_prec();
  if (same_place) return prec ? PairCase::kExactCopy : PairCase::kSamePlaceOtherPrec;
  const bool close = near();
  if (prec) return close ? PairCase::kNearSamePrec : PairCase::kFarSamePrec;
  return close ? PairCase::kNearOtherPrec : PairCase::kFarOtherPrec;
}

inline PairCase classify_pair(const StationTable& table, std::int32_t i, std::int32_t j) {
  return classify(
      same_id(table, i, j), same_place(table.lon[i], table.lat[i], table.lon[j], table.lat[j]),
      [&] { return same_prec(table.prec[i], table.prec[j]); },
      [&] { return near(table.lon[i], table.lat[i], table.lon[j], table.lat[j]); });
}

// What a case does: the flags it sets to 1 and the reasons it stores.
struct PairAction {
  bool remove_i = false;
  bool remove_j = false;
  bool mark_all = false;  // of i and of j
  ReasonCode reason_i = ReasonCode::kNone;
  ReasonCode reason_j = ReasonCode::kNone;
};

// The action of each case, indexed by the case number.
inline constexpr std::array<PairAction, 10> kPairActions{{
    {},                                                                                    // (no case 0)
    {false, true, false, ReasonCode::kNone, ReasonCode::kOtherIdSamePrec},                 // 1
    {true, true, false, ReasonCode::kOtherIdOtherPrec, ReasonCode::kOtherIdOtherPrec},     // 2
    {},                                                                                    // 3
    {false, true, false, ReasonCode::kNone, ReasonCode::kExactCopy},                       // 4
    {true, true, true, ReasonCode::kSamePlaceOtherPrec, ReasonCode::kSamePlaceOtherPrec},  // 5
    {false, true, false, ReasonCode::kNone, ReasonCode::kNearSamePrec},                    // 6
    {},                                                                                    // 7
    {true, true, false, ReasonCode::kNone, ReasonCode::kNearOtherPrec},                    // 8
    {},                                                                                    // 9
}};

// Whether a pair of this case changes the table; every one that does removes j.
constexpr bool acts(PairCase pair_case) { return kPairActions[static_cast<std::size_t>(pair_case)].remove_j; }
static_assert([] {
  for (const PairAction& action : kPairActions) {
    const bool any = action.remove_i || action.mark_all || action.reason_i != ReasonCode::kNone ||
                     action.reason_j != ReasonCode::kNone;
    if (any && !(action.remove_j && action.reason_j != ReasonCode::kNone)) return false;
  }
  return true;
}());

// Classifies the pair (i, j) and applies its action at once, telling the log.
// REQUIRES: 0 <= i < j < table.n.
inline void screen_pair(StationTable& table, std::int32_t i, std::int32_t j, ScreenLog* log) {
  assert(0 <= i && i < j && j < table.n);
  const PairCase pair_case = classify_pair(table, i, j);
  const PairAction& action = kPairActions[static_cast<std::size_t>(pair_case)];
  if (!acts(pair_case)) return;
  table.remove[j] = 1;
  table.reason[j] = action.reason_j;
  if (action.remove_i) table.remove[i] = 1;
  if (action.reason_i != ReasonCode::kNone) table.reason[i] = action.reason_i;
  if (action.mark_all) {
    table.mark_all[i] = 1;
    table.mark_all[j] = 1;
  }
  if (log != nullptr) log->pair_acted(table, i, j, pair_case);
}

}  // namespace dedup
