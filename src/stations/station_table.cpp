#include "stations/station_table.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cassert>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace dedup {
namespace {

static_assert(std::is_trivially_copyable_v<IdText> && std::is_trivially_default_constructible_v<ReasonCode>);
static_assert(sizeof(ReasonCode) == 1 && static_cast<int>(ReasonCode::kNone) == 0,
              "a zero byte reads as no reason");

std::size_t page_size() {
  static const auto size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// Bytes of `slots` slots of a column, in whole pages: each column starts a page.
std::size_t column_bytes(std::size_t slot_size, std::int32_t slots) {
  return round_up(slot_size * static_cast<std::size_t>(slots), page_size());
}

// Sets a column's slots from 0 to capacity to zero: the first n and the rest
// of their page by writing, the whole pages after them by handing them back.
template <class T>
void clear_column(T* column, std::int32_t n, std::int32_t capacity) {
  assert(reinterpret_cast<std::uintptr_t>(column) % page_size() == 0);
  auto* const first = reinterpret_cast<std::byte*>(column);
  std::byte* const used_end = first + sizeof(T) * static_cast<std::size_t>(n);
  std::byte* const written = first + column_bytes(sizeof(T), n);
  std::byte* const end = first + column_bytes(sizeof(T), capacity);
  // In two parts, as one memset of both costs more instructions.
  std::memset(first, 0, static_cast<std::size_t>(used_end - first));
  std::memset(used_end, 0, static_cast<std::size_t>(written - used_end));
  if (written < end && madvise(written, static_cast<std::size_t>(end - written), MADV_DONTNEED) != 0) {
    std::memset(written, 0, static_cast<std::size_t>(end - written));
  }
}

// The columns in order, each starting on a page of its own.
std::size_t columns_bytes(std::int32_t capacity) {
  assert(capacity >= 1 && capacity <= kLargestCapacity);
  return 2 * column_bytes(sizeof(IdText), capacity) + 3 * column_bytes(sizeof(float), capacity) +
         2 * column_bytes(sizeof(std::uint8_t), capacity) + column_bytes(sizeof(ReasonCode), capacity);
}

}  // namespace

StationTable::StationTable(std::int32_t capacity) : capacity_(capacity), block_(columns_bytes(capacity)) {
  std::byte* next = block_.data();
  const auto take = [&next, capacity]<class T>(T*& column) {
    column = reinterpret_cast<T*>(next);
    next += column_bytes(sizeof(T), capacity);
  };
  take(id);
  take(orgao);
  take(lon);
  take(lat);
  take(prec);
  take(remove);
  take(mark_all);
  take(reason);
}

void StationTable::store(std::int32_t slot, const StationRecord& record) {
  assert(slot >= 0 && slot < capacity_);
  id[slot] = record.id;
  orgao[slot] = record.orgao;
  lon[slot] = record.lon;
  lat[slot] = record.lat;
  prec[slot] = record.prec;
}

void StationTable::reset_screening() {
  assert(n >= 0 && n <= capacity_);
  clear_column(remove, n, capacity_);
  clear_column(mark_all, n, capacity_);
  clear_column(reason, n, capacity_);
}

}  // namespace dedup
