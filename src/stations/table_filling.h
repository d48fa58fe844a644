#pragma once
// The message every reader of a station list gives for a record that finds
// the table full.

#include <cstdint>
#include <string>

namespace dedup {

// "more than N records; the table holds at most N", with the option that
// raises the limit while the capacity is below the largest.
std::string too_many_records(std::int32_t capacity);

}  // namespace dedup
