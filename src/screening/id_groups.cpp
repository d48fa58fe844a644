#include "screening/id_groups.h"

#include <cstring>

namespace dedup {
namespace {

std::uint64_t hash_id(const IdText& id) {
  const char* bytes = id.full().data();
  std::uint64_t hash = 0;
  std::size_t at = 0;
  for (; at + 8 <= kIdLength; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + at, 8);
    hash = (hash ^ word) * 0x9e3779b97f4a7c15ULL;
    hash ^= hash >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes + at, kIdLength - at);
  return mix64(hash ^ tail);
}

}  // namespace

IdGroups::IdGroups(const StationTable& table, std::pmr::memory_resource* memory)
    : groups_{std::pmr::vector<std::int32_t>(static_cast<std::size_t>(table.n), memory), 0}, size_(memory) {
  GroupTable firsts(table.n, memory);
  size_.reserve(static_cast<std::size_t>(table.n));
  firsts.each_hashed(
      table.n, [&](std::int32_t k) { return hash_id(table.id[k]); },
      [&](std::int32_t k, std::uint64_t hash) {
        const IdText& id = table.id[k];
        const std::int32_t first =
            firsts.first_or_add(hash, k, [&](std::int32_t other) { return table.id[other] == id; });
        join(groups_, k, first);
        if (first == k) size_.push_back(0);
        ++size_[static_cast<std::size_t>(group(k))];
      });
}

}  // namespace dedup
