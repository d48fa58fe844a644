#pragma once
// Numbers groups of records that share a key, by open addressing over a
// power-of-two table sized once from the largest number of groups it will
// hold; nothing is allocated afterwards. The table keeps, per group, the key's
// hash and the first record stored under it; callers compare keys through that
// record, so any key (an identifier, a place, a cell) fits the same table.

#include <cstddef>
#include <cstdint>
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
  explicit GroupTable(std::int32_t max_groups) {
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(max_groups)) size *= 2;
    slots_.resize(size);
    mask_ = size - 1;
  }

  // The group whose key has this hash and satisfies same_key(first record of
  // the group); when there is none, a new group numbered count() is opened
  // with `record` as its first record.
  template <class SameKey>
  std::int32_t find_or_add(std::uint64_t hash, std::int32_t record, SameKey same_key) {
    std::size_t at = hash & mask_;
    for (;; at = (at + 1) & mask_) {
      Slot& slot = slots_[at];
      if (slot.record < 0) {
        slot = Slot{hash, record, count_};
        return count_++;
      }
      if (slot.hash == hash && same_key(slot.record)) return slot.group;
    }
  }

  // The group as above, or -1 when no group has this key.
  template <class SameKey>
  std::int32_t find(std::uint64_t hash, SameKey same_key) const {
    std::size_t at = hash & mask_;
    for (;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.record < 0) return -1;
      if (slot.hash == hash && same_key(slot.record)) return slot.group;
    }
  }

  std::int32_t count() const { return count_; }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::int32_t record = -1;  // -1: empty
    std::int32_t group = -1;
  };

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::int32_t count_ = 0;
};

}  // namespace dedup
