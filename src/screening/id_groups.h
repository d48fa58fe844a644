#pragma once
// Numbers the distinct identifiers of records 0..n-1 of a table: two records
// share a group exactly when their identifiers are equal over all 50 bytes.

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <vector>

#include "screening/group_table.h"
#include "stations/station_table.h"

namespace dedup {

class IdGroups {
 public:
  explicit IdGroups(const StationTable& table, std::pmr::memory_resource* memory);

  std::int32_t group(std::int32_t record) const { return groups_.group_of[static_cast<std::size_t>(record)]; }
  std::int32_t count() const { return groups_.count; }
  // Number of records in group g.
  std::int32_t size(std::int32_t g) const { return size_[static_cast<std::size_t>(g)]; }

 private:
  Grouping groups_;
  std::pmr::vector<std::int32_t> size_;
};

// The identifier groups of one screening, made on first use from the memory
// of that call and then shared by the pass, the purge and the audit trail.
// REQUIRES: the table outlives this object.
class SharedIdGroups {
 public:
  explicit SharedIdGroups(const StationTable& table) : table_(table) {}

  const IdGroups& get(std::pmr::memory_resource* memory = std::pmr::get_default_resource()) {
    if (!groups_) groups_.emplace(table_, memory);
    return *groups_;
  }

 private:
  const StationTable& table_;
  std::optional<IdGroups> groups_;
};

}  // namespace dedup
