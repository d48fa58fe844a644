#include "screening/screen_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <span>
#include <utility>

#include "screening/grid_cell.h"
#include "screening/pair_rule.h"

namespace dedup {
namespace {

// The bits of a coordinate as a place key: -0.0 and 0.0 give the bits of 0.0.
std::uint64_t place_bits(float x) { return std::bit_cast<std::uint32_t>(x == 0.0f ? 0.0f : x); }

// The next record at the same place as each record, -1 after the last: the
// records of each place chained in increasing order, so the later records
// at a record's place are found by following the chain from it.
std::pmr::vector<std::int32_t> chain_places(const StationTable& table, std::pmr::memory_resource* memory) {
  const auto n = static_cast<std::size_t>(table.n);
  std::pmr::vector<std::int32_t> next(n, -1, memory);
  std::pmr::vector<std::int32_t> last(n, memory);  // of the place whose first record is the index
  GroupTable firsts(table.n, memory);
  const auto hash_of = [&](std::int32_t k) {
    return mix64((place_bits(table.lon[k]) << 32) | place_bits(table.lat[k]));
  };
  firsts.each_hashed(table.n, hash_of, [&](std::int32_t k, std::uint64_t hash) {
    const float lon = table.lon[k];
    const float lat = table.lat[k];
    if (std::isnan(lon) || std::isnan(lat)) return;
    const std::int32_t first = firsts.first_or_add(hash, k, [&](std::int32_t other) {
      return same_place(table.lon[other], table.lat[other], lon, lat);
    });
    auto& last_of_place = last[static_cast<std::size_t>(first)];
    if (first != k) next[static_cast<std::size_t>(last_of_place)] = k;
    last_of_place = k;
  });
  return next;
}

}  // namespace

ScreenIndex::ScreenIndex(const StationTable& table, const IdGroups& ids, std::pmr::memory_resource* memory)
    : in_grid_count_(count_in_grid(table, ids)),
      cell_key_(memory),
      cells_(in_grid_count_, memory),
      occupied_(memory),
      next_at_place_(chain_places(table, memory)),
      seen_(static_cast<std::size_t>(table.n) / 64 + 1, 0, memory),
      cell_lists_(group_cells(table, ids, memory)) {}

bool ScreenIndex::in_grid(const StationTable& table, const IdGroups& ids, std::int32_t k) {
  return ids.size(ids.group(k)) >= 2 && std::isfinite(table.lon[k]) && std::isfinite(table.lat[k]);
}

std::int32_t ScreenIndex::count_in_grid(const StationTable& table, const IdGroups& ids) {
  std::int32_t count = 0;
  for (std::int32_t k = 0; k < table.n; ++k) count += in_grid(table, ids, k) ? 1 : 0;
  return count;
}

// One finaliser over the three parts, the coordinates each spread by an odd
// multiplier of their own first: a scan looks up nine cells per record.
std::uint64_t ScreenIndex::hash_cell(const CellKey& key) {
  return mix64((static_cast<std::uint64_t>(key.x) * 0x9e3779b97f4a7c15ULL) ^
               (static_cast<std::uint64_t>(key.y) * 0xc2b2ae3d27d4eb4fULL) ^ static_cast<std::uint32_t>(key.id_group));
}

Grouping ScreenIndex::group_cells(const StationTable& table, const IdGroups& ids,
                                  std::pmr::memory_resource* memory) {
  // At least 16 bits per record of the grid, so that few empty cells share
  // a bit with an occupied one.
  constexpr std::size_t kBitsPerRecord = 16;
  occupied_side_bits_ = 3;
  while ((std::size_t{1} << (2 * occupied_side_bits_)) < kBitsPerRecord * static_cast<std::size_t>(in_grid_count_)) {
    ++occupied_side_bits_;
  }
  occupied_side_mask_ = (std::int64_t{1} << occupied_side_bits_) - 1;
  // A word more than the bits, so that occupied_column may read eight bytes
  // from any bit's byte.
  occupied_.assign((std::size_t{1} << (2 * occupied_side_bits_)) / 64 + 1, 0);
  cell_key_.reserve(static_cast<std::size_t>(in_grid_count_));
  Grouping cells{std::pmr::vector<std::int32_t>(static_cast<std::size_t>(table.n), -1, memory), 0};
  for (std::int32_t k = 0; k < table.n; ++k) {
    if (!in_grid(table, ids, k)) continue;
    const CellKey key{ids.group(k), cell_of(table.lon[k]), cell_of(table.lat[k])};
    const std::size_t bit = occupied_bit(key.x, key.y);
    occupied_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    const std::int32_t first = cells_.first_or_add(hash_cell(key), k, [&](std::int32_t other) {
      return cell_key_[static_cast<std::size_t>(cells.group_of[static_cast<std::size_t>(other)])] == key;
    });
    // A new cell's key goes under the number join() gives it.
    if (first == k) cell_key_.push_back(key);
    join(cells, k, first);
  }
  return cells;
}

unsigned ScreenIndex::occupied_column(std::int64_t x, std::int64_t y) const {
  // Within a row of the square the three bits lie side by side, unless y
  // is at either end of the fold.
  const std::int64_t folded = y & occupied_side_mask_;
  if (folded == 0 || folded == occupied_side_mask_) {
    return (occupied(x, y - 1) ? 1U : 0U) | (occupied(x, y) ? 2U : 0U) | (occupied(x, y + 1) ? 4U : 0U);
  }
  const std::size_t first = occupied_bit(x, y - 1);
  std::uint64_t word;
  std::memcpy(&word, reinterpret_cast<const unsigned char*>(occupied_.data()) + first / 8, sizeof word);
  return static_cast<unsigned>(word >> (first % 8)) & 7U;
}

void ScreenIndex::candidates(const StationTable& table, std::int32_t i,
                             std::pmr::vector<std::int32_t>& out) const {
  out.clear();
  int sources = 0;
  // Removed records are left out here rather than when the pairs are
  // applied: a pair changes the flags of its own two records only, so the
  // other candidates' remove flags stay as they are until the scan reaches
  // them.
  const auto keep = [&](std::int32_t j) {
    if (table.remove[j] == 0) out.push_back(j);
  };
  const auto take = [&](std::span<const std::int32_t> later) {
    if (later.empty()) return;
    ++sources;
    for (const std::int32_t j : later) keep(j);
  };

  const std::int32_t* const next_at_place = next_at_place_.data();
  if (next_at_place[i] >= 0) {
    ++sources;
    for (std::int32_t j = next_at_place[i]; j >= 0; j = next_at_place[j]) keep(j);
  }

  const std::int32_t own_cell = cell_lists_.group_of(i);
  if (own_cell >= 0) {
    const CellKey& own = cell_key_[static_cast<std::size_t>(own_cell)];
    take(cell_lists_.members_after(own_cell, i));
    // The occupied neighbour cells, three columns of three bits with the
    // own cell's bit left out; most records of a sparse grid have none.
    constexpr unsigned kOwnCell = 1U << 4;
    const unsigned around = (occupied_column(own.x - 1, own.y) | occupied_column(own.x, own.y) << 3 |
                             occupied_column(own.x + 1, own.y) << 6) &
                            ~kOwnCell;
    for (unsigned bits = around; bits != 0; bits &= bits - 1) {
      const auto cell = static_cast<std::int64_t>(std::countr_zero(bits));
      const CellKey key{own.id_group, own.x + cell / 3 - 1, own.y + cell % 3 - 1};
      const std::int32_t first = cells_.first(hash_cell(key), [&](std::int32_t other) {
        return cell_key_[static_cast<std::size_t>(cell_lists_.group_of(other))] == key;
      });
      if (first >= 0) take(cell_lists_.members_after(cell_lists_.group_of(first), i));
    }
  }

  if (sources > 1) put_in_order(out);
}

void ScreenIndex::put_in_order(std::pmr::vector<std::int32_t>& out) const {
  // A long list of a dense cluster is ordered through the bitmap: one pass
  // over its records and one over the words between the least and the
  // greatest, no more than seven words per record from this length on.
  constexpr std::size_t kSortedUpTo = 64;
  if (out.size() <= kSortedUpTo) {
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return;
  }
  const auto [least, greatest] = std::minmax_element(out.begin(), out.end());
  const auto first_word = static_cast<std::size_t>(*least) / 64;
  const auto last_word = static_cast<std::size_t>(*greatest) / 64;
  for (const std::int32_t j : out) seen_[static_cast<std::size_t>(j) / 64] |= std::uint64_t{1} << (j % 64);
  out.clear();
  for (std::size_t word = first_word; word <= last_word; ++word) {
    // Each word is cleared as it is read, so the bitmap is empty again.
    for (std::uint64_t bits = std::exchange(seen_[word], 0); bits != 0; bits &= bits - 1) {
      out.push_back(static_cast<std::int32_t>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
    }
  }
}

}  // namespace dedup
