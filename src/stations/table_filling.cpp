#include "stations/table_filling.h"

#include "stations/station_table.h"

namespace dedup {

std::string too_many_records(std::int32_t capacity) {
  const std::string limit = std::to_string(capacity);
  return "more than " + limit + " records; the table holds at most " + limit +
         (capacity < kLargestCapacity ? " (--max-records N raises the limit)" : "");
}

}  // namespace dedup
