#pragma once
// How far a writer of this room may store past the end of the text it
// writes: the longest word store it makes, 8 bytes, begun at the text's
// last byte. Such bytes are scratch, overwritten by what follows or never
// taken; every room a TextFile hands out keeps this many writable bytes
// past its end. (The station texts are read the same way, a word from
// their last byte, hence the same 7 bytes readable past a text in
// stations/fixed_text.h.)

#include <cstddef>
#include <cstdint>

namespace dedup {

inline constexpr std::size_t kRunPast = sizeof(std::uint64_t) - 1;

}  // namespace dedup
