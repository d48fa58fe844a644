#include "screening/cell_grid.h"

#include "util/digits.h"

namespace dedup {

void CellGrid::size_occupied() {
  // At least 16 bits per grid record, so that few empty cells share a bit.
  constexpr std::size_t kBitsPerRecord = 16;
  occupied_side_bits_ = 3;
  while ((std::size_t{1} << (2 * occupied_side_bits_)) < kBitsPerRecord * static_cast<std::size_t>(in_grid_count_)) {
    ++occupied_side_bits_;
  }
  occupied_side_mask_ = (std::int64_t{1} << occupied_side_bits_) - 1;
  // A word more than the bits: occupied_column reads eight bytes from any bit's.
  occupied_.assign((std::size_t{1} << (2 * occupied_side_bits_)) / 64 + 1, 0);
}

unsigned CellGrid::occupied_column(std::int64_t x, std::int64_t y) const {
  // Within a row of the square the three bits lie side by side, unless y
  // is at either end of the fold.
  const std::int64_t folded = y & occupied_side_mask_;
  if (folded == 0 || folded == occupied_side_mask_) {
    return (occupied(x, y - 1) ? 1U : 0U) | (occupied(x, y) ? 2U : 0U) | (occupied(x, y + 1) ? 4U : 0U);
  }
  const std::size_t first = occupied_bit(x, y - 1);
  const std::uint64_t word = swar::load_word(reinterpret_cast<const unsigned char*>(occupied_.data()) + first / 8);
  return static_cast<unsigned>(word >> (first % 8)) & 7U;
}

unsigned CellGrid::occupied_around(std::int64_t x, std::int64_t y) const {
  constexpr unsigned kCentre = 1U << 4;
  return (occupied_column(x - 1, y) | occupied_column(x, y) << 3 | occupied_column(x + 1, y) << 6) & ~kCentre;
}

}  // namespace dedup
