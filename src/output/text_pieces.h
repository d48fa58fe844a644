#pragma once
// Pieces of text the writers of this room put: put() copies a text to
// `out` and returns its end; name_of() gives the names the audit file and
// the map use for an event's kind and for the records it removed.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "screening/screen_log.h"

namespace dedup {

inline char* put(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

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
