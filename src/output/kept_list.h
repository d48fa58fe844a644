#pragma once
// The kept list: the station list's own bytes, every one as it stands, less
// the lines of each removed record.
// REQUIRES: `spans` holds the span of each of the table's n records, in order.

#include <span>
#include <string_view>

#include "commit/text_file.h"
#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

void write_kept_list(std::string_view list, std::span<const RecordSpan> spans, const StationTable& table,
                     TextFile& file);

}  // namespace dedup
