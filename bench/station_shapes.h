#pragma once
// Station lists of the shapes the screening benchmark times, generated from a
// fixed seed so that every run sees the same records.

#include <cstdint>
#include <string>
#include <vector>

#include "stations/station_table.h"

namespace dedup::bench {

struct Shape {
  std::string name;
  std::vector<StationRecord> records;
};

// A gauge network across Brazil: mostly unique stations, with a few percent
// of exact copies, near copies, copies re-coded under another identifier and
// conflicting copies (same place, other amount).
std::vector<StationRecord> realistic_network(std::int32_t count);

// The realistic network and the shapes that defeat naive indexes: one
// identifier far apart, all at one place, all distinct, one identifier in a
// disc of diameter 0.02 (every pair near), one identifier in a disc of
// diameter 0.2.
std::vector<Shape> benchmark_shapes(std::int32_t count);

}  // namespace dedup::bench
