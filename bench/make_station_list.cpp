// Writes a station list of one of the benchmark shapes (see station_shapes.h)
// to standard output, one record per line, coordinates and amounts printed so
// that they read back as the same floats.
//
// Usage: make_station_list [record count [shape]]
//   record count: default 30000, at most kLargestCapacity; shape: a name
//   benchmark_shapes gives, default "realistic network"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "station_shapes.h"

int main(int argc, char** argv) {
  using namespace dedup;
  const std::int32_t count = argc > 1 ? std::clamp(std::atoi(argv[1]), 0, kLargestCapacity) : kMaxStations;
  const std::string wanted = argc > 2 ? argv[2] : "realistic network";
  const std::vector<bench::Shape> shapes = bench::benchmark_shapes(count);
  const auto shape = std::find_if(shapes.begin(), shapes.end(), [&](const bench::Shape& s) { return s.name == wanted; });
  if (shape == shapes.end()) {
    std::fprintf(stderr, "make_station_list: no shape \"%s\"; the shapes are:\n", wanted.c_str());
    for (const bench::Shape& s : shapes) std::fprintf(stderr, "  %s\n", s.name.c_str());
    return 2;
  }
  for (const StationRecord& r : shape->records) {
    const std::string id(r.id.trimmed());
    const std::string orgao(r.orgao.trimmed());
    std::printf("%s %s %.9g %.9g %.9g\n", id.c_str(), orgao.c_str(), static_cast<double>(r.lon),
                static_cast<double>(r.lat), static_cast<double>(r.prec));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
