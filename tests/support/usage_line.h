#pragma once
// The usage line the program prints after a usage error, and first in --help.

namespace dedup::testing {

inline constexpr const char* kUsage =
    "usage: station-dedup [--audit AUDIT_FILE] [--map MAP_FILE] [--max-records N] [--] STATION_LIST KEPT_FILE "
    "REMOVED_REPORT\n";

}  // namespace dedup::testing
