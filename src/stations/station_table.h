#pragma once
// The one table of a run: every record of the station list in column arrays of
// kMaxStations slots, allocated once at start. Slot k holds record number k+1.
// Only the reader writes the station fields and n; only the screening writes
// remove, mark_all and reason; the result files only read.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "stations/fixed_text.h"

namespace dedup {

inline constexpr std::int32_t kMaxStations = 30000;
inline constexpr std::size_t kIdLength = 50;       // id and orgao
inline constexpr std::size_t kReasonLength = 100;  // reason

using IdText = FixedText<kIdLength>;
using ReasonText = FixedText<kReasonLength>;

// The station fields of one record, as the reader assembles them.
struct StationRecord {
  IdText id;
  IdText orgao;
  float lon = 0.0f;
  float lat = 0.0f;
  float prec = 0.0f;
};

class StationTable {
 public:
  StationTable();
  StationTable(const StationTable&) = delete;
  StationTable& operator=(const StationTable&) = delete;

  // Copies a record's station fields into the given slot (0-based).
  void store(std::int32_t slot, const StationRecord& record);

  // Clears the screening state of all kMaxStations slots, not only 0..n-1:
  // remove = 0, mark_all = 0, reason all blanks.
  void reset_screening();

  std::unique_ptr<IdText[]> id;
  std::unique_ptr<IdText[]> orgao;
  std::unique_ptr<float[]> lon;
  std::unique_ptr<float[]> lat;
  std::unique_ptr<float[]> prec;
  std::unique_ptr<std::int32_t[]> remove;
  std::unique_ptr<std::int32_t[]> mark_all;
  std::unique_ptr<ReasonText[]> reason;

  // Number of records stored completely, 0 to kMaxStations.
  std::int32_t n = 0;
};

}  // namespace dedup
