#pragma once
// What every reader of a station list shares about filling the table: the
// size from which a list asks for the table in huge pages, and the message
// for a record that finds the table full.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dedup {

// From this size on (about 12000 records of the usual length) a list fills
// most of each huge page of the table's columns, and huge pages cost fewer
// faults than they take to clear.
inline constexpr std::size_t kLongList = std::size_t{512} << 10;

// "more than N records; the table holds at most N", with the option that
// raises the limit while the capacity is below the largest.
std::string too_many_records(std::int32_t capacity);

}  // namespace dedup
