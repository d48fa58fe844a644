#include "screening/plain_scan.h"

#include "screening/pair_rule.h"

namespace dedup {

void plain_row(StationTable& table, std::int32_t i, ScreenLog* log) {
  for (std::int32_t j = i + 1; j < table.n; ++j) {
    if (table.remove[j] == 1) continue;
    screen_pair(table, i, j, log);
  }
}

void plain_pairwise_pass(StationTable& table, ScreenLog* log) {
  for (std::int32_t i = 0; i + 1 < table.n; ++i) {
    if (table.remove[i] == 1) continue;
    plain_row(table, i, log);
  }
}

void plain_purge(StationTable& table) {
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (table.mark_all[k] != 1) continue;
    for (std::int32_t m = 0; m < table.n; ++m) {
      if (same_id(table, k, m)) table.remove[m] = 1;
    }
  }
}

}  // namespace dedup
