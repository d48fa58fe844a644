#include "output/layout_field.h"

#include "output/field_renderer.h"

namespace dedup {

char* put_gap_and_rendered(char* out, float value, std::size_t width, int decimals) {
  out[0] = ' ';
  out[1] = ' ';
  return FieldRenderer(width, decimals).write(out + 2, value);
}

}  // namespace dedup
