#pragma once
// A block of fresh anonymous memory that reads as zero and costs a page fault
// per page first touched; it starts on a 2 MiB boundary, so that it can be
// asked for in transparent huge pages (worth it where most of each is used).

#include <cstddef>

namespace dedup {

inline constexpr std::size_t kHugePage = std::size_t{1} << 21;

// `bytes` rounded up to a whole number of `unit`s.
constexpr std::size_t round_up(std::size_t bytes, std::size_t unit) { return (bytes + unit - 1) / unit * unit; }

class PageBlock {
 public:
  // Throws std::bad_alloc when the system gives no memory.
  explicit PageBlock(std::size_t bytes);
  ~PageBlock();
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;

  std::byte* data() const { return data_; }
  std::size_t size() const { return size_; }

  // Asks for transparent huge pages for the pages not touched yet (a hint).
  void use_huge_pages();

 private:
  void* mapping_;
  std::size_t mapping_size_;
  std::byte* data_;
  std::size_t size_;
};

}  // namespace dedup
