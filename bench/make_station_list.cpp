// Writes a station list of one of the benchmark shapes (see station_shapes.h)
// to standard output, one record per line, coordinates and amounts printed so
// that they read back as the same floats.
//
// With "export" after the shape, writes the same records as a network's
// export instead: a header line, eight columns separated by ';', the
// identifier quoted and every number with a decimal comma.
//
// Usage: make_station_list [record count [shape [export]]]
//   record count: default 30000, at most kLargestCapacity; shape: a name
//   benchmark_shapes gives, default "realistic network"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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
  const bool as_export = argc > 3 && std::string_view(argv[3]) == "export";
  if (as_export) std::printf("municipio;codEstacao;uf;orgao;latitude;longitude;datahora;valorMedida\n");
  std::int32_t row = 0;
  for (const StationRecord& r : shape->records) {
    const std::string id(r.id.trimmed());
    const std::string orgao(r.orgao.trimmed());
    char numbers[3][32];
    const float values[3] = {r.lon, r.lat, r.prec};
    for (int k = 0; k < 3; ++k) {
      std::snprintf(numbers[k], sizeof numbers[k], "%.9g", static_cast<double>(values[k]));
      if (as_export) std::replace(numbers[k], numbers[k] + std::strlen(numbers[k]), '.', ',');
    }
    if (as_export) {
      std::printf("MUNICIPIO %d;\"%s\";BR;%s;%s;%s;2022-04-01 00:%02d:00.0;%s\n", row % 97, id.c_str(), orgao.c_str(),
                  numbers[1], numbers[0], row % 60, numbers[2]);
    } else {
      std::printf("%s %s %s %s %s\n", id.c_str(), orgao.c_str(), numbers[0], numbers[1], numbers[2]);
    }
    ++row;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
