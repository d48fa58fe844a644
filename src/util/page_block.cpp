#include "util/page_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace dedup {
// One huge page larger than asked, to start on a huge page boundary; address
// space only (MAP_NORESERVE), so that untouched pages are never refused.
PageBlock::PageBlock(std::size_t bytes)
    : mapping_size_(round_up(bytes, kHugePage) + kHugePage), size_(bytes) {
  mapping_ = mmap(nullptr, mapping_size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  data_ = reinterpret_cast<std::byte*>(round_up(reinterpret_cast<std::uintptr_t>(mapping_), kHugePage));
}

PageBlock::~PageBlock() { munmap(mapping_, mapping_size_); }

void PageBlock::use_huge_pages() { madvise(data_, round_up(size_, kHugePage), MADV_HUGEPAGE); }

}  // namespace dedup
