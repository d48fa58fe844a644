// Writes a realistic station list (see realistic_network) to standard output,
// one record per line, coordinates and amounts printed so that they read back
// as the same floats.
//
// Usage: make_station_list [record count]   (default 30000)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "station_shapes.h"

int main(int argc, char** argv) {
  using namespace dedup;
  const std::int32_t count = argc > 1 ? std::clamp(std::atoi(argv[1]), 0, kMaxStations) : kMaxStations;
  for (const StationRecord& r : bench::realistic_network(count)) {
    const std::string id(r.id.trimmed());
    const std::string orgao(r.orgao.trimmed());
    std::printf("%s %s %.9g %.9g %.9g\n", id.c_str(), orgao.c_str(), static_cast<double>(r.lon),
                static_cast<double>(r.lat), static_cast<double>(r.prec));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
