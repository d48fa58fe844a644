// The scan the program uses against the plain reference scan: the same
// remove, mark_all and reason, record by record, on many random tables; and,
// with a log, the same events in the same order and the same decisions.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "screening/duplicate_screen.h"
#include "screening/station_rows.h"

namespace dedup::testing {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

template <class T, std::size_t N>
const T& pick(std::mt19937& rng, const std::array<T, N>& pool) {
  return pool[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

bool one_in(std::mt19937& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng) == 0; }

// Tiny pools, so that equal and near values meet often. Two of the
// identifiers differ only in case, two only past the 50th character.
const std::array<std::string, 6> kIds{"A", "a", "B", "C", std::string(50, 'x') + "1",
                                      std::string(50, 'x') + "2"};
const std::array<std::array<float, 2>, 5> kBases{{{-45.0f, -23.5f},
                                                  {0.0f, -0.0f},
                                                  {0.025f, -0.05f},
                                                  {-0.0f, 1e30f},
                                                  {1e30f, -1e30f}}};
const std::array<float, 10> kOffsets{0.0f,   0.0f,   0.01f,   0.0199f, 0.02f,
                                     0.0201f, 0.014f, -0.01f, -0.014f, -0.0201f};
const std::array<float, 5> kSpecial{kNaN, kInf, -kInf, -0.0f, 1e30f};
const std::array<float, 6> kAmounts{0.0f, -0.0f, kNaN, 1.0f, 1.0f, 2.0f};

// An offset from the pool, or now and then any offset up to 0.0201.
float coordinate(std::mt19937& rng, float base) {
  if (one_in(rng, 12)) return pick(rng, kSpecial);
  if (one_in(rng, 8)) return base + std::uniform_real_distribution<float>(-0.0201f, 0.0201f)(rng);
  return base + pick(rng, kOffsets);
}

// A base from the pool, half of the time shifted by up to 0.05 so that the
// offsets fall anywhere relative to the index's grid.
Row fresh_row(std::mt19937& rng) {
  auto base = pick(rng, kBases);
  if (one_in(rng, 2)) {
    const float shift = std::uniform_real_distribution<float>(0.0f, 0.05f)(rng);
    base = {base[0] + shift, base[1] - shift};
  }
  return {pick(rng, kIds), coordinate(rng, base[0]), coordinate(rng, base[1]), pick(rng, kAmounts)};
}

// A fresh row, or a copy of an earlier one with at most one field changed.
std::vector<Row> random_rows(std::mt19937& rng, int count) {
  std::vector<Row> rows;
  for (int k = 0; k < count; ++k) {
    if (rows.empty() || one_in(rng, 2)) {
      rows.push_back(fresh_row(rng));
      continue;
    }
    Row row = rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(rng)];
    switch (std::uniform_int_distribution<int>(0, 4)(rng)) {
      case 0: row.id = pick(rng, kIds); break;
      case 1: row.lon = coordinate(rng, row.lon); break;
      case 2: row.lat = coordinate(rng, row.lat); break;
      case 3: row.prec = pick(rng, kAmounts); break;
      default: break;
    }
    rows.push_back(row);
  }
  std::shuffle(rows.begin(), rows.end(), rng);
  return rows;
}

class Equivalence : public ::testing::Test {
 protected:
  void expect_same(const std::vector<Row>& rows, const std::string& label) {
    load(*indexed_, rows);
    load(*plain_, rows);
    DuplicateScreen::screen(*indexed_);
    DuplicateScreen::screen_plain(*plain_);
    ASSERT_EQ(outcomes(*indexed_), outcomes(*plain_)) << label << "\n" << describe(rows);

    const auto unlogged = outcomes(*indexed_);
    ScreenLog indexed_log;
    ScreenLog plain_log;
    load(*indexed_, rows);
    load(*plain_, rows);
    DuplicateScreen::screen(*indexed_, &indexed_log);
    DuplicateScreen::screen_plain(*plain_, &plain_log);
    ASSERT_EQ(outcomes(*indexed_), unlogged) << label << "\n" << describe(rows);
    ASSERT_EQ(outcomes(*plain_), unlogged) << label << "\n" << describe(rows);
    ASSERT_EQ(describe(indexed_log.events()), describe(plain_log.events())) << label << "\n" << describe(rows);
  }

  static constexpr std::int32_t kCapacity = 33000;
  std::unique_ptr<StationTable> indexed_ = std::make_unique<StationTable>(kCapacity);
  std::unique_ptr<StationTable> plain_ = std::make_unique<StationTable>(kCapacity);
};

TEST_F(Equivalence, SmallTablesFromTinyPools) {
  for (std::uint32_t seed = 1; seed <= 6000; ++seed) {
    std::mt19937 rng(seed);
    const auto rows = random_rows(rng, std::uniform_int_distribution<int>(2, 14)(rng));
    expect_same(rows, "seed " + std::to_string(seed));
    if (HasFatalFailure()) return;
  }
}

// Larger tables of the shapes that defeat naive indexes.
std::vector<Row> one_id_far_apart(std::mt19937& rng, int count) {
  std::vector<Row> rows;
  for (int k = 0; k < count; ++k) {
    rows.push_back({"F", -60.0f + 0.05f * static_cast<float>(k % 40), -10.0f + 0.05f * static_cast<float>(k / 40),
                    pick(rng, kAmounts)});
  }
  std::shuffle(rows.begin(), rows.end(), rng);
  return rows;
}

std::vector<Row> one_place(std::mt19937& rng, int count) {
  std::vector<Row> rows;
  for (int k = 0; k < count; ++k) {
    rows.push_back({numbered("P", rng() % 40), -47.9f, -15.8f, static_cast<float>(rng() % 3)});
  }
  return rows;
}

// One identifier in a disc of radius 0.03: most pairs are near, not all.
std::vector<Row> one_id_cluster(std::mt19937& rng, int count) {
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::vector<Row> rows;
  while (static_cast<int>(rows.size()) < count) {
    const float x = unit(rng);
    const float y = unit(rng);
    if (x * x + y * y > 1.0f) continue;
    rows.push_back({"D", -43.2f + 0.03f * x, -22.9f + 0.03f * y, static_cast<float>(rng() % 3)});
  }
  return rows;
}

// One identifier along a line, 0.004 apart: each record near ten others.
std::vector<Row> one_id_line(std::mt19937& rng, int count) {
  std::vector<Row> rows;
  for (int k = 0; k < count; ++k) {
    rows.push_back({"L", -50.0f + 0.004f * static_cast<float>(k), -0.5f, static_cast<float>(rng() % 2)});
  }
  std::shuffle(rows.begin(), rows.end(), rng);
  return rows;
}

// Mostly unique stations with exact, near, re-coded and conflicting copies.
std::vector<Row> network(std::mt19937& rng, int count) {
  std::uniform_real_distribution<float> lon(-74.0f, -35.0f);
  std::uniform_real_distribution<float> lat(-33.0f, 5.0f);
  std::uniform_real_distribution<float> jitter(-0.015f, 0.015f);
  std::vector<Row> rows;
  for (int k = 0; k < count; ++k) {
    if (rows.empty() || !one_in(rng, 8)) {
      rows.push_back({numbered("S", k), lon(rng), lat(rng), static_cast<float>(rng() % 50)});
      continue;
    }
    Row row = rows[rng() % rows.size()];
    switch (rng() % 4) {
      case 0: break;
      case 1: row.lon += jitter(rng); break;
      case 2: row.id = numbered("R", k); break;
      default: row.prec += 1.0f; break;
    }
    rows.push_back(row);
  }
  std::shuffle(rows.begin(), rows.end(), rng);
  return rows;
}

// The rows, in their order, spread at random over a table of `count`
// records whose other records are all copies of its first, at a place and
// under an identifier of their own: the plain scan removes the copies in
// its first row and then costs little more than on the rows alone, while
// the indexed scan holds every record in its index, the rows' record
// numbers running up to `count`.
std::vector<Row> among_copies(std::mt19937& rng, const std::vector<Row>& rows, std::size_t count) {
  const Row copy{"Z", 10.0f, 10.0f, 5.0f};
  std::vector<bool> is_row(count - 1, false);
  std::fill_n(is_row.begin(), rows.size(), true);
  std::shuffle(is_row.begin(), is_row.end(), rng);
  std::vector<Row> table{copy};
  auto next = rows.begin();
  for (const bool row : is_row) table.push_back(row ? *next++ : copy);
  return table;
}

TEST_F(Equivalence, HardShapesInATableAboveTheDefaultCapacity) {
  std::mt19937 rng(2025);
  const auto count = static_cast<std::size_t>(kCapacity);
  expect_same(among_copies(rng, one_id_far_apart(rng, 1600), count), "one identifier far apart");
  expect_same(among_copies(rng, one_id_cluster(rng, 1500), count), "one identifier in a small disc");
  expect_same(among_copies(rng, one_id_line(rng, 1200), count), "one identifier along a line");
  expect_same(among_copies(rng, network(rng, 3000), count), "station network");
}

TEST_F(Equivalence, LargerTablesOfHardShapes) {
  std::mt19937 rng(2024);
  expect_same(one_id_far_apart(rng, 1600), "one identifier far apart");
  expect_same(one_place(rng, 1500), "all at one place");
  expect_same(one_id_cluster(rng, 1500), "one identifier in a small disc");
  expect_same(one_id_line(rng, 1200), "one identifier along a line");
  expect_same(network(rng, 3000), "station network");
}

}  // namespace
}  // namespace dedup::testing
