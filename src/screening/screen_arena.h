#pragma once
// The memory of one screening: the index and the identifier groups of n
// records are carved one after the other out of a single block of fresh
// pages sized from n, and nothing is handed back before the screening ends.
// A run touches each page once, instead of mapping, faulting and unmapping
// every array on its own; a large index lies in transparent huge pages.
// Should the estimate fall short, the rest comes from the heap.

#include <cstdint>
#include <memory_resource>

#include "stations/page_block.h"

namespace dedup {

class ScreenArena {
 public:
  explicit ScreenArena(std::int32_t n);

  std::pmr::memory_resource* memory() { return &arena_; }

 private:
  PageBlock block_;
  std::pmr::monotonic_buffer_resource arena_;
};

}  // namespace dedup
