// The purge the program uses against the plain purge, with marks set by hand
// so that few and many distinct marked identifiers are both covered.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "screening/conflict_purge.h"
#include "screening/id_groups.h"
#include "screening/plain_scan.h"
#include "screening/station_rows.h"

namespace dedup::testing {
namespace {

TEST(ConflictPurge, MatchesThePlainPurge) {
  const auto plain = std::make_unique<StationTable>();
  const auto grouped = std::make_unique<StationTable>();
  const auto given = std::make_unique<StationTable>();
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    const int distinct = 1 + static_cast<int>(rng() % 30);
    std::vector<Row> rows;
    for (int k = 0; k < 200; ++k) rows.push_back({numbered("I", rng() % distinct), 0.0f, 0.0f, 0.0f});
    std::vector<std::int32_t> marked;
    for (std::int32_t k = 0; k < 200; ++k) {
      if (rng() % 12 == 0) marked.push_back(k);
    }
    for (StationTable* table : {plain.get(), grouped.get(), given.get()}) {
      load(*table, rows);
      for (const std::int32_t k : marked) table->mark_all[k] = 1;
    }
    plain_purge(*plain);
    // The groups made by the purge itself, and made before it as the
    // pairwise pass or the log would have made them.
    SharedIdGroups made_here(*grouped);
    purge_conflicts(*grouped, made_here);
    SharedIdGroups made_before(*given);
    made_before.get();
    purge_conflicts(*given, made_before);
    EXPECT_EQ(outcomes(*grouped), outcomes(*plain)) << "seed " << seed;
    EXPECT_EQ(outcomes(*given), outcomes(*plain)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace dedup::testing
