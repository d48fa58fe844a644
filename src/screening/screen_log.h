#pragma once
// The audit trail of one screening: the events that removed a record, and the
// pairs a reviewer should look at, in the order they happen.
// - pair: a pair of the pairwise pass that acted (cases 1, 2, 4, 5, 6 and 8),
//   in the order the plain scan meets them; both scans log the same pairs;
// - purge: a record that the purge removed and the pairwise pass had not,
//   matched with the first record of its identifier whose conflict (case 5)
//   marked that identifier;
// - review: two kept records that the rules leave alone yet a reviewer
//   should look at: of different identifiers, at different places yet near
//   each other (case 3, found by a grid over the kept records); or of one
//   identifier kept twice (case 7 or 9), each later kept record matched with
//   the first kept record of its identifier. In order of the first record,
//   then of the second.
// The screening fills a log only when it is given one.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

// The nine cases of a pair of records, numbered as in the classification
// table; pair_rule.h classifies a pair and says what each case does.
enum class PairCase : std::int8_t {
  kOtherIdSamePlaceSamePrec = 1,
  kOtherIdSamePlaceOtherPrec = 2,
  kOtherIdOtherPlace = 3,
  kExactCopy = 4,
  kSamePlaceOtherPrec = 5,
  kNearSamePrec = 6,
  kFarSamePrec = 7,
  kNearOtherPrec = 8,
  kFarOtherPrec = 9,
};

struct ScreenEvent {
  // kCount counts the enumerators: tables indexed by them are checked against it.
  enum class Kind : std::uint8_t { kPair, kPurge, kReview, kCount };
  // Which of the two records the event removed.
  enum class Removed : std::uint8_t { kNone, kFirst, kSecond, kBoth, kCount };

  Kind kind = Kind::kPair;
  std::int32_t first = 0;   // slot of the earlier record
  std::int32_t second = 0;  // slot of the later record
  std::optional<PairCase> pair_case;  // none for a purge
  float distance = 0.0f;    // as distance() computes it; 0 at the same place
  Removed removed = Removed::kNone;
  bool same_prec = false;   // the precipitations are equal by the rules' equality
  // The reason text each record holds once the event is done (empty for none).
  std::string_view first_reason;
  std::string_view second_reason;
};

class ScreenLog {
 public:
  const std::vector<ScreenEvent>& events() const { return events_; }

  // Called by the screening: a pair (i, j) of the given case has just acted.
  void pair_acted(const StationTable& table, std::int32_t i, std::int32_t j, PairCase pair_case);
  // Called by the screening between the pairwise pass and the purge.
  void pairs_done(const StationTable& table);
  // Called by the screening at its end: adds the purge and review events.
  // REQUIRES: pairs_done was called after the pairwise pass.
  void screening_done(const StationTable& table, SharedIdGroups& ids);

 private:
  void add_purges(const StationTable& table, const IdGroups& ids);
  void add_reviews(const StationTable& table, const IdGroups& ids);

  std::vector<ScreenEvent> events_;
  std::vector<std::uint8_t> removed_by_pairs_;  // remove of each record before the purge
};

}  // namespace dedup
