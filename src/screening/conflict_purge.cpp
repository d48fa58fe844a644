#include "screening/conflict_purge.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "screening/pair_rule.h"

namespace dedup {
namespace {

// Up to this many marked identifiers, comparing costs less than hashing all.
constexpr std::size_t kFewIds = 8;

// One record per marked identifier from `first` on, or nothing past kFewIds.
std::optional<std::vector<std::int32_t>> few_marked_ids(const StationTable& table, std::int32_t first) {
  std::vector<std::int32_t> marked;
  marked.reserve(kFewIds);
  for (std::int32_t k = first; k < table.n; ++k) {
    if (table.mark_all[k] != 1) continue;
    if (std::any_of(marked.begin(), marked.end(), [&](std::int32_t m) { return same_id(table, m, k); })) continue;
    if (marked.size() == kFewIds) return std::nullopt;
    marked.push_back(k);
  }
  return marked;
}

void purge_by_groups(StationTable& table, const IdGroups& ids) {
  std::vector<char> conflict(static_cast<std::size_t>(ids.count()), 0);
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (table.mark_all[k] == 1) conflict[static_cast<std::size_t>(ids.group(k))] = 1;
  }
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (conflict[static_cast<std::size_t>(ids.group(k))] == 1) table.remove[k] = 1;
  }
}

}  // namespace

void purge_conflicts(StationTable& table, SharedIdGroups& ids) {
  const std::uint8_t* marks = table.mark_all;
  const auto first = static_cast<std::int32_t>(std::find(marks, marks + table.n, 1) - marks);
  if (first == table.n) return;
  if (const auto marked = few_marked_ids(table, first)) {
    for (const std::int32_t k : *marked) {
      for (std::int32_t m = 0; m < table.n; ++m) {
        if (same_id(table, k, m)) table.remove[m] = 1;
      }
    }
    return;
  }
  purge_by_groups(table, ids.get());
}

}  // namespace dedup
