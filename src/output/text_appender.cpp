#include "output/text_appender.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace dedup {

char* put_piece(char* at, Shortest piece) {
  assert(std::isfinite(piece.value));
  return std::to_chars(at, at + kShortestFloatMax, piece.value).ptr;
}

}  // namespace dedup
