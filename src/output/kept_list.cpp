#include "output/writers.h"

#include <cassert>
#include <cstddef>
#include <cstdint>

namespace dedup {

void write_kept_list(std::string_view list, std::span<const RecordSpan> spans, const StationTable& table,
                     TextFile& file) {
  assert(spans.size() == static_cast<std::size_t>(table.n));
  std::size_t from = 0;  // the first byte not yet written or left out
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] == 0) continue;
    const RecordSpan& span = spans[static_cast<std::size_t>(slot)];
    file.append(list.substr(from, span.begin - from));
    from = span.end;
  }
  file.append(list.substr(from));
}

}  // namespace dedup
