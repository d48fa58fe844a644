#include "station_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace dedup::bench {
namespace {

constexpr std::array<const char*, 5> kAgencies{"ANA", "INMET", "CEMADEN", "DAEE", "FUNCEME"};

StationRecord record(const std::string& id, std::size_t agency, float lon, float lat, float prec) {
  return StationRecord{IdText(id), IdText(kAgencies[agency % kAgencies.size()]), lon, lat, prec};
}

std::string code(std::uint32_t number) {
  std::string text = std::to_string(number);
  return std::string(8 - std::min<std::size_t>(8, text.size()), '0') + text;
}

// Daily rain: dry on most days, a tenth of a millimetre resolution.
float rain(std::mt19937& rng) {
  if (rng() % 10 < 6) return 0.0f;
  return static_cast<float>(rng() % 1500) / 10.0f;
}

// Uniform in a disc of the given radius around (lon, lat).
void in_disc(std::mt19937& rng, float lon, float lat, float radius, float& out_lon, float& out_lat) {
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  for (;;) {
    const float x = unit(rng);
    const float y = unit(rng);
    if (x * x + y * y > 1.0f) continue;
    out_lon = lon + radius * x;
    out_lat = lat + radius * y;
    return;
  }
}

std::vector<StationRecord> one_id_far_apart(std::int32_t count) {
  std::mt19937 rng(11);
  const auto side = static_cast<std::int32_t>(std::ceil(std::sqrt(static_cast<double>(count))));
  std::vector<StationRecord> records;
  for (std::int32_t k = 0; k < count; ++k) {
    records.push_back(record("X", 0, -60.0f + 0.05f * static_cast<float>(k % side),
                             -20.0f + 0.05f * static_cast<float>(k / side), rain(rng)));
  }
  std::shuffle(records.begin(), records.end(), rng);
  return records;
}

std::vector<StationRecord> all_at_one_place(std::int32_t count) {
  std::mt19937 rng(12);
  std::vector<StationRecord> records;
  for (std::int32_t k = 0; k < count; ++k) {
    records.push_back(record(code(rng() % 1000), rng(), -47.93f, -15.78f, static_cast<float>(rng() % 5)));
  }
  return records;
}

std::vector<StationRecord> all_distinct(std::int32_t count) {
  std::mt19937 rng(13);
  std::uniform_real_distribution<float> lon(-74.0f, -35.0f);
  std::uniform_real_distribution<float> lat(-33.7f, 5.2f);
  std::vector<StationRecord> records;
  for (std::int32_t k = 0; k < count; ++k) {
    // 7919 is prime to 10^8, so the codes of up to 10^8 records all differ.
    const auto number = static_cast<std::uint32_t>(static_cast<std::uint64_t>(k) * 7919u % 100000000u);
    records.push_back(record(code(number), rng(), lon(rng), lat(rng), rain(rng)));
  }
  return records;
}

std::vector<StationRecord> one_id_in_disc(std::int32_t count, float radius, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<StationRecord> records;
  for (std::int32_t k = 0; k < count; ++k) {
    float lon = 0.0f;
    float lat = 0.0f;
    in_disc(rng, -43.21f, -22.91f, radius, lon, lat);
    records.push_back(record("D", 0, lon, lat, rain(rng)));
  }
  return records;
}

}  // namespace

std::vector<StationRecord> realistic_network(std::int32_t count) {
  std::mt19937 rng(10);
  std::uniform_real_distribution<float> lon(-74.0f, -35.0f);
  std::uniform_real_distribution<float> lat(-33.7f, 5.2f);
  std::uniform_real_distribution<float> jitter(-0.012f, 0.012f);
  std::vector<StationRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  std::uint32_t next_code = 1000000;
  while (static_cast<std::int32_t>(records.size()) < count) {
    const std::uint32_t roll = rng() % 100;
    if (records.empty() || roll >= 8) {
      next_code += 1 + rng() % 50;
      records.push_back(record(code(next_code), rng(), lon(rng), lat(rng), rain(rng)));
      continue;
    }
    StationRecord copy = records[rng() % records.size()];
    if (roll < 3) {
      // exact copy
    } else if (roll < 5) {
      copy.lon += jitter(rng);
      copy.lat += jitter(rng);
      if (rng() % 2 == 0) copy.prec = rain(rng);
    } else if (roll < 7) {
      next_code += 1 + rng() % 50;
      copy.id = IdText(code(next_code));
      copy.orgao = IdText(kAgencies[rng() % kAgencies.size()]);
    } else {
      copy.prec += 0.5f;
      if (rng() % 2 == 0) {
        next_code += 1 + rng() % 50;
        copy.id = IdText(code(next_code));
      }
    }
    records.push_back(copy);
  }
  std::shuffle(records.begin(), records.end(), rng);
  return records;
}

std::vector<Shape> benchmark_shapes(std::int32_t count) {
  std::vector<Shape> shapes;
  shapes.push_back({"realistic network", realistic_network(count)});
  shapes.push_back({"one identifier far apart", one_id_far_apart(count)});
  shapes.push_back({"all at one place", all_at_one_place(count)});
  shapes.push_back({"all distinct", all_distinct(count)});
  shapes.push_back({"one identifier, 0.02 disc", one_id_in_disc(count, 0.0099f, 14)});
  shapes.push_back({"one identifier, 0.2 disc", one_id_in_disc(count, 0.1f, 15)});
  return shapes;
}

}  // namespace dedup::bench
