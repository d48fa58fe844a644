#pragma once
// The one table of a run: every record in column arrays of `capacity` slots in
// one PageBlock; slot k holds record number k+1. Only the reader writes the
// station fields and n, only the screening remove, mark_all and reason.

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "stations/fixed_text.h"
#include "util/page_block.h"
#include "stations/reason_code.h"

namespace dedup {

inline constexpr std::int32_t kMaxStations = 30000;
// The largest capacity a table can be given: 115 bytes of address space per
// slot, about 11 GiB at this size, and every record number fits 32 bits.
inline constexpr std::int32_t kLargestCapacity = 100'000'000;
inline constexpr std::size_t kIdLength = 50;  // id and orgao

using IdText = FixedText<kIdLength>;

struct StationRecord {
  IdText id;
  IdText orgao;
  float lon = 0.0f;
  float lat = 0.0f;
  float prec = 0.0f;
};

class StationTable {
 public:
  // Throws std::bad_alloc when the system gives no address space for it.
  // REQUIRES: 1 <= capacity <= kLargestCapacity.
  explicit StationTable(std::int32_t capacity = kMaxStations);
  StationTable(const StationTable&) = delete;
  StationTable& operator=(const StationTable&) = delete;

  // REQUIRES: 0 <= slot < capacity().
  void store(std::int32_t slot, const StationRecord& record);

  std::int32_t capacity() const { return capacity_; }

  // Clears remove, mark_all and reason of all capacity() slots, at the cost
  // of the first n: the pages past them are handed back and read as zero.
  void reset_screening();

  // REQUIRES: no record stored yet (n is 0).
  void use_huge_pages() {
    assert(n == 0);
    block_.use_huge_pages();
  }

  IdText* id;
  IdText* orgao;
  float* lon;
  float* lat;
  float* prec;
  std::uint8_t* remove;    // 0 or 1
  std::uint8_t* mark_all;  // 0 or 1
  ReasonCode* reason;  // trivially constructible: free until written

  // Number of records stored completely, 0 to capacity().
  std::int32_t n = 0;

 private:
  std::int32_t capacity_;
  PageBlock block_;
};

}  // namespace dedup
