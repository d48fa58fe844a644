#pragma once
// The one table of a run: every record of the station list in column arrays of
// `capacity` slots (kMaxStations unless the run asks for another, at most
// kLargestCapacity), allocated once at start. Slot k holds record number k+1.
// Only the reader writes the station fields and n; only the screening writes
// remove, mark_all and reason; the result files only read. The columns lie in
// one PageBlock: a run pays for the slots it uses, not for the capacity.

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

// The station fields of one record.
struct StationRecord {
  IdText id;
  IdText orgao;
  float lon = 0.0f;
  float lat = 0.0f;
  float prec = 0.0f;
};

class StationTable {
 public:
  // Throws std::bad_alloc when the system gives no address space for the
  // capacity (1 to kLargestCapacity slots).
  explicit StationTable(std::int32_t capacity = kMaxStations);
  StationTable(const StationTable&) = delete;
  StationTable& operator=(const StationTable&) = delete;

  // Copies a record's station fields into the given slot (0-based, below
  // capacity()).
  void store(std::int32_t slot, const StationRecord& record);

  std::int32_t capacity() const { return capacity_; }

  // Clears the screening state of all capacity() slots, not only 0..n-1:
  // remove = 0, mark_all = 0, no reason. Slots from n on are handed back to
  // the system as whole pages, which then read as zero, so the reset costs
  // what the first n slots cost.
  void reset_screening();

  // Asks for the columns in transparent huge pages (page_block.h) before
  // records are stored (n is 0): worth it for a long list only.
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
  Reason* reason;

  // Number of records stored completely, 0 to capacity().
  std::int32_t n = 0;

 private:
  std::int32_t capacity_;
  PageBlock block_;
};

}  // namespace dedup
