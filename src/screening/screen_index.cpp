#include "screening/screen_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>
#include <utility>

#include "screening/pair_rule.h"
#include "screening/screen_log.h"

namespace dedup {
namespace {

// Over every combination of the predicates, the index offers a pair exactly
// when its case acts: the cases it skips (3, 7 and 9) are those with no action.
static_assert([] {
  for (unsigned bits = 0; bits < 16; ++bits) {
    const bool id = (bits & 1) != 0;
    const bool place = (bits & 2) != 0;
    const bool prec = (bits & 4) != 0;
    const bool close = place || (bits & 8) != 0;
    const PairCase pair_case = classify(id, place, [=] { return prec; }, [=] { return close; });
    if (index_offers(id, place, close) != acts(pair_case)) return false;
  }
  return true;
}());

// The bits of a coordinate as a place key: -0.0 and 0.0 give the bits of 0.0.
std::uint64_t place_bits(float x) { return std::bit_cast<std::uint32_t>(x == 0.0f ? 0.0f : x); }

// The next record at each record's place, in increasing order; -1 after the last.
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
    : next_at_place_(chain_places(table, memory)),
      seen_(static_cast<std::size_t>(table.n) / 64 + 1, 0, memory),
      grid_(
          table,
          [&](std::int32_t k) {
            const std::int32_t group = ids.group(k);
            return ids.size(group) >= 2 ? group : -1;
          },
          memory) {}

void ScreenIndex::candidates(const StationTable& table, std::int32_t i,
                             std::pmr::vector<std::int32_t>& out) const {
  out.clear();
  int sources = 0;
  // Removed records are left out here: a pair changes the flags of its own
  // two records only, so the others' stay as they are until their turn.
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

  if (grid_.contains(i)) grid_.each_near_cell(i, take);

  if (sources > 1) put_in_order(out);
}

void ScreenIndex::put_in_order(std::pmr::vector<std::int32_t>& out) const {
  // A long list of a dense cluster is ordered through the bitmap: one pass over
  // its records, one over the words from the least to the greatest.
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
