#pragma once
// The names the audit file and the map give events' kinds and removed records.

#include <cstddef>
#include <iterator>
#include <string_view>

#include "screening/screen_log.h"

namespace dedup {

// In the order of the enumerators, one name for each.
inline constexpr std::string_view kKindNames[] = {"pair", "purge", "review"};
inline constexpr std::string_view kRemovedNames[] = {"none", "first", "second", "both"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(ScreenEvent::Kind::kCount) &&
              std::size(kRemovedNames) == static_cast<std::size_t>(ScreenEvent::Removed::kCount));

inline std::string_view name_of(ScreenEvent::Kind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }
inline std::string_view name_of(ScreenEvent::Removed removed) {
  return kRemovedNames[static_cast<std::size_t>(removed)];
}

}  // namespace dedup
