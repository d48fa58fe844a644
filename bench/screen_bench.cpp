// Times the plain reference screening against the screening the program
// uses, on the same tables, and prints the ratio for each shape. Both must
// reach the same flags and reasons; a difference ends the run with status 1.
//
// Usage: screen_bench [record count]   (default 30000, at most kMaxStations)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "screening/duplicate_screen.h"
#include "station_shapes.h"

namespace dedup::bench {
namespace {

using Clock = std::chrono::steady_clock;

void load(StationTable& table, const std::vector<StationRecord>& records) {
  table.n = static_cast<std::int32_t>(records.size());
  for (std::int32_t k = 0; k < table.n; ++k) table.store(k, records[static_cast<std::size_t>(k)]);
}

void clear_screening(StationTable& table) {
  std::fill_n(table.remove, table.n, 0);
  std::fill_n(table.mark_all, table.n, 0);
  std::fill_n(table.reason, table.n, ReasonCode::kNone);
}

// The shortest of several runs, in seconds: at least `runs` runs and, for
// fast ones, as many as fit in a tenth of a second (200 at most).
double fastest(void (*screen)(StationTable&, ScreenLog*), StationTable& table, int runs) {
  double best = 1e30;
  double total = 0.0;
  for (int run = 0; run < runs || (total < 0.1 && run < 200); ++run) {
    clear_screening(table);
    const auto start = Clock::now();
    screen(table, nullptr);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::min(best, seconds);
    total += seconds;
  }
  return best;
}

bool same_screening(const StationTable& a, const StationTable& b) {
  for (std::int32_t k = 0; k < a.n; ++k) {
    if (a.remove[k] != b.remove[k] || a.mark_all[k] != b.mark_all[k] || !(a.reason[k] == b.reason[k])) return false;
  }
  return true;
}

std::int32_t removed(const StationTable& table) {
  return static_cast<std::int32_t>(std::count(table.remove, table.remove + table.n, 1));
}

}  // namespace
}  // namespace dedup::bench

int main(int argc, char** argv) {
  using namespace dedup;
  using namespace dedup::bench;
  const std::int32_t count = argc > 1 ? std::clamp(std::atoi(argv[1]), 2, kMaxStations) : kMaxStations;
  const auto plain = std::make_unique<StationTable>();
  const auto indexed = std::make_unique<StationTable>();

  std::printf("| shape (%d records) | removed | plain ms | indexed ms | ratio |\n", count);
  std::printf("|---|---:|---:|---:|---:|\n");
  bool agree = true;
  for (const Shape& shape : benchmark_shapes(count)) {
    load(*plain, shape.records);
    load(*indexed, shape.records);
    const double plain_seconds = fastest(&DuplicateScreen::screen_plain, *plain, 2);
    const double indexed_seconds = fastest(&DuplicateScreen::screen, *indexed, 5);
    const bool same = same_screening(*plain, *indexed);
    agree = agree && same;
    std::printf("| %s | %d | %.3f | %.3f | %.1f |%s\n", shape.name.c_str(), removed(*plain), plain_seconds * 1e3,
                indexed_seconds * 1e3, plain_seconds / indexed_seconds, same ? "" : " DIFFERENT RESULTS");
  }
  return agree ? 0 : 1;
}
