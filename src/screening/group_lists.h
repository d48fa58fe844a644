#pragma once
// The members of every group in increasing record order, stored back to back,
// built once from each record's group number (-1: in no list).

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

#include "screening/group_table.h"

namespace dedup {

class GroupLists {
 public:
  // Each member made from `grouping` alone; its group numbers then swapped in
  // (the same memory, so in place).
  explicit GroupLists(Grouping grouping)
      : group_of_(grouping.group_of.get_allocator()),
        offsets_(static_cast<std::size_t>(grouping.count) + 1, 0, grouping.group_of.get_allocator()),
        members_(grouping.group_of.size(), grouping.group_of.get_allocator()) {
    group_of_.swap(grouping.group_of);
    for (const std::int32_t g : group_of_) {
      if (g >= 0) ++offsets_[static_cast<std::size_t>(g) + 1];
    }
    for (std::size_t g = 1; g < offsets_.size(); ++g) offsets_[g] += offsets_[g - 1];
    std::pmr::vector<std::int32_t> next(offsets_.begin(), offsets_.end() - 1, group_of_.get_allocator());
    for (std::size_t k = 0; k < group_of_.size(); ++k) {
      const std::int32_t g = group_of_[k];
      if (g < 0) continue;
      members_[static_cast<std::size_t>(next[static_cast<std::size_t>(g)]++)] = static_cast<std::int32_t>(k);
    }
  }

  std::int32_t group_of(std::int32_t record) const { return group_of_[static_cast<std::size_t>(record)]; }

  // Members of group g with a record number above k, in increasing order.
  // REQUIRES: g is a group of the grouping.
  std::span<const std::int32_t> members_after(std::int32_t g, std::int32_t k) const {
    assert(g >= 0 && static_cast<std::size_t>(g) + 1 < offsets_.size());
    const auto first = members_.begin() + offsets_[static_cast<std::size_t>(g)];
    const auto last = members_.begin() + offsets_[static_cast<std::size_t>(g) + 1];
    return {std::upper_bound(first, last, k), last};
  }

 private:
  std::pmr::vector<std::int32_t> group_of_;
  std::pmr::vector<std::int32_t> offsets_;
  std::pmr::vector<std::int32_t> members_;
};

}  // namespace dedup
