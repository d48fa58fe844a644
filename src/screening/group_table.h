#pragma once
// Finds, for a record, the first record stored with an equal key (open
// addressing, sized once); callers compare keys through that record, so any
// key fits. join() numbers groups by those firsts.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

namespace dedup {

// Spreads the bits of a 64-bit value over the whole word (splitmix64's finaliser).
inline std::uint64_t mix64(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

class GroupTable {
 public:
  explicit GroupTable(std::int32_t max_keys, std::pmr::memory_resource* memory) : slots_(memory) {
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(max_keys)) size *= 2;
    slots_.resize(size);
    mask_ = size - 1;
  }

  // The first record under this hash for which same_key(first) holds; when
  // there is none, `record` is stored as the first of its key and returned.
  template <class SameKey>
  std::int32_t first_or_add(std::uint64_t hash, std::int32_t record, SameKey same_key) {
    Slot& slot = slots_[find(hash, same_key)];
    if (slot.first < 0) slot = Slot{tag_of(hash), record};
    return slot.first;
  }

  // Calls visit(k, hash_of(k)) for k = 0 .. n - 1 in increasing order, each
  // slot prefetched kAhead records before its visit, so that loads overlap.
  template <class HashOf, class Visit>
  void each_hashed(std::int32_t n, HashOf hash_of, Visit visit) const {
    constexpr std::int32_t kAhead = 8;
    std::uint64_t ahead[kAhead];
    for (std::int32_t k = 0; k < std::min(n, kAhead); ++k) prefetch(ahead[k] = hash_of(k));
    for (std::int32_t k = 0; k < n; ++k) {
      std::uint64_t& slot = ahead[k % kAhead];
      const std::uint64_t hash = slot;
      if (k + kAhead < n) prefetch(slot = hash_of(k + kAhead));
      visit(k, hash);
    }
  }

  // The first record as above, or -1 when no record has this key.
  template <class SameKey>
  std::int32_t first(std::uint64_t hash, SameKey same_key) const { return slots_[find(hash, same_key)].first; }

 private:
  static std::uint32_t tag_of(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
  // The slot holding the first record of the key, or the empty slot where it would go.
  template <class SameKey>
  std::size_t find(std::uint64_t hash, SameKey same_key) const {
    for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.first < 0 || (slot.tag == tag_of(hash) && same_key(slot.first))) return at;
    }
  }
  void prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

  struct Slot {
    std::uint32_t tag = 0;
    std::int32_t first = -1;  // -1: empty
  };

  std::pmr::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

// The group number of each record (-1 for none) and the number of groups.
struct Grouping {
  std::pmr::vector<std::int32_t> group_of;
  std::int32_t count = 0;
};

// Puts record k into the group of `first`, the first record with its key (new when k).
// REQUIRES: first <= k, and `first` was joined before unless it is k.
inline void join(Grouping& grouping, std::int32_t k, std::int32_t first) {
  assert(first <= k && (first == k || grouping.group_of[static_cast<std::size_t>(first)] >= 0));
  std::pmr::vector<std::int32_t>& group_of = grouping.group_of;
  group_of[static_cast<std::size_t>(k)] =
      first == k ? grouping.count++ : group_of[static_cast<std::size_t>(first)];
}

}  // namespace dedup
