#pragma once
// The audit trail of one screening, in the order things happen: the pairs that
// acted, the records the purge removed, then the kept pairs a reviewer should
// look at (the three kinds of event: src/README.md, "The screening").

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "screening/id_groups.h"
#include "stations/station_table.h"

namespace dedup {

// The nine cases of a pair, numbered as in the classification table (pair_rule.h).
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
  enum class Kind : std::uint8_t { kPair, kPurge, kReview };
  // Which of the two records the event removed.
  enum class Removed : std::uint8_t { kNone, kFirst, kSecond, kBoth };

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

  // Called by the screening when a pair (i, j) has acted, after the pass, and
  // at its end (which adds the purge and review events).
  void pair_acted(const StationTable& table, std::int32_t i, std::int32_t j, PairCase pair_case);
  void pairs_done(const StationTable& table);
  // REQUIRES: pairs_done was called after the pairwise pass.
  void screening_done(const StationTable& table, SharedIdGroups& ids);

 private:
  void add_purges(const StationTable& table, const IdGroups& ids);
  void add_reviews(const StationTable& table, const IdGroups& ids);

  std::vector<ScreenEvent> events_;
  std::vector<std::uint8_t> removed_by_pairs_;  // remove of each record before the purge
};

}  // namespace dedup
