#include "screening/screen_arena.h"

#include <cstddef>

namespace dedup {
namespace {

// Per record at most: three hash tables of up to 32 bytes (8-byte slots,
// sized up to four times the keys), the cell key, six record-indexed
// arrays of groups, offsets and members, and two candidates.
constexpr std::size_t kBytesPerRecord = 3 * 32 + 24 + 6 * 4 + 2 * 4 + 4 * 4;
constexpr std::size_t kFixedBytes = std::size_t{64} << 10;

std::size_t arena_bytes(std::int32_t n) { return kFixedBytes + kBytesPerRecord * static_cast<std::size_t>(n); }

}  // namespace

ScreenArena::ScreenArena(std::int32_t n)
    : block_(arena_bytes(n)), arena_(block_.data(), block_.size(), std::pmr::new_delete_resource()) {
  // Most of the block is touched when the index is built; from half a huge
  // page on, clearing whole huge pages costs less than faulting 4 KiB ones.
  if (block_.size() >= kHugePage / 2) block_.use_huge_pages();
}

}  // namespace dedup
