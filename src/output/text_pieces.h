#pragma once
// Pieces of text the writers of this room put, each at `out`, returning the
// end of what it wrote: a text as it is; an integer of up to 64 bits in
// decimal, at most kIntegerMax bytes; a finite float as the shortest text
// that reads back as the same float, at most kShortestFloatMax bytes; and
// the names the audit file and the map give an event's kind and the
// records it removed.

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dedup {

inline constexpr std::size_t kIntegerMax = 20;
inline constexpr std::size_t kShortestFloatMax = 16;

inline char* put(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

template <std::integral Integer>
char* put_integer(char* out, Integer value) {
  static_assert(sizeof(Integer) <= sizeof(std::int64_t));
  return std::to_chars(out, out + kIntegerMax, value).ptr;
}

inline char* put_shortest(char* out, float value) {
  assert(std::isfinite(value));
  return std::to_chars(out, out + kShortestFloatMax, value).ptr;
}

// In the order of ScreenEvent's enumerations Kind and Removed.
inline constexpr std::string_view kKindNames[] = {"pair", "purge", "review"};
inline constexpr std::string_view kRemovedNames[] = {"none", "first", "second", "both"};

}  // namespace dedup
