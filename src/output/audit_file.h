#pragma once
// The audit file: CSV (RFC 4180) with the header kAuditHeader, then one row per
// screening event in order (its columns: src/README.md, "The result files").

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commit/text_file.h"
#include "stations/station_table.h"

namespace dedup {

struct ScreenEvent;

inline constexpr std::string_view kAuditHeader =
    "event,case,first_record,first_line,first_id,second_record,second_line,second_id,"
    "distance,removed,first_reason,second_reason\n";

// REQUIRES: `first_lines` holds the starting line of every record of `table`.
void write_audit(const StationTable& table, const std::vector<ScreenEvent>& events,
                 std::span<const std::int64_t> first_lines, TextFile& file);

}  // namespace dedup
