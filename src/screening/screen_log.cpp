#include "screening/screen_log.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <optional>
#include <utility>

#include "screening/near_kept_pairs.h"
#include "screening/pair_rule.h"
#include "stations/reason_code.h"

namespace dedup {
namespace {

// The reason text a record holds: a fixed text, kept after the record's changes.
std::string_view held_reason(const StationTable& table, std::int32_t k) { return reason_text(table.reason[k]); }

// The distance of two records as the pair rule computes it; 0 at the same place.
float record_distance(const StationTable& table, std::int32_t a, std::int32_t b) {
  if (same_place(table.lon[a], table.lat[a], table.lon[b], table.lat[b])) return 0.0f;
  return distance(table.lon[a], table.lat[a], table.lon[b], table.lat[b]);
}

ScreenEvent event(const StationTable& table, ScreenEvent::Kind kind, std::int32_t first, std::int32_t second,
                  std::optional<PairCase> pair_case, ScreenEvent::Removed removed) {
  return {kind, first, second, pair_case, record_distance(table, first, second), removed,
          same_prec(table.prec[first], table.prec[second]), held_reason(table, first), held_reason(table, second)};
}

}  // namespace

void ScreenLog::pair_acted(const StationTable& table, std::int32_t i, std::int32_t j, PairCase pair_case) {
  const PairAction& action = kPairActions[static_cast<std::size_t>(pair_case)];
  const auto removed = action.remove_i ? ScreenEvent::Removed::kBoth : ScreenEvent::Removed::kSecond;
  events_.push_back(event(table, ScreenEvent::Kind::kPair, i, j, pair_case, removed));
}

void ScreenLog::pairs_done(const StationTable& table) {
  removed_by_pairs_.assign(table.remove, table.remove + table.n);
}

void ScreenLog::screening_done(const StationTable& table, SharedIdGroups& ids) {
  add_purges(table, ids.get());
  add_reviews(table, ids.get());
}

void ScreenLog::add_purges(const StationTable& table, const IdGroups& ids) {
  assert(removed_by_pairs_.size() == static_cast<std::size_t>(table.n));  // pairs_done came first
  const auto purged = [&](std::int32_t k) {
    return table.remove[k] == 1 && removed_by_pairs_[static_cast<std::size_t>(k)] == 0;
  };
  std::int32_t k = 0;
  while (k < table.n && !purged(k)) ++k;
  if (k == table.n) return;

  // The first marked record of each identifier group.
  std::vector<std::int32_t> first_marked(static_cast<std::size_t>(ids.count()), -1);
  for (std::int32_t m = table.n - 1; m >= 0; --m) {
    if (table.mark_all[m] == 1) first_marked[static_cast<std::size_t>(ids.group(m))] = m;
  }
  for (; k < table.n; ++k) {
    if (!purged(k)) continue;
    const std::int32_t match = first_marked[static_cast<std::size_t>(ids.group(k))];
    using enum ScreenEvent::Removed;
    events_.push_back(match < k ? event(table, ScreenEvent::Kind::kPurge, match, k, std::nullopt, kSecond)
                                : event(table, ScreenEvent::Kind::kPurge, k, match, std::nullopt, kFirst));
  }
}

void ScreenLog::add_reviews(const StationTable& table, const IdGroups& ids) {
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs = near_kept_pairs(table);
  std::vector<std::int32_t> first_kept(static_cast<std::size_t>(ids.count()), -1);
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (table.remove[k] != 0) continue;
    std::int32_t& first = first_kept[static_cast<std::size_t>(ids.group(k))];
    if (first < 0) {
      first = k;
    } else {
      pairs.emplace_back(first, k);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  // Both records are kept, so the pass met the pair and did nothing: case 3, 7 or 9.
  for (const auto& [i, j] : pairs) {
    const PairCase pair_case = classify_pair(table, i, j);
    events_.push_back(event(table, ScreenEvent::Kind::kReview, i, j, pair_case, ScreenEvent::Removed::kNone));
  }
}

}  // namespace dedup
