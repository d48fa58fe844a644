#pragma once
// The usage line the program prints after a usage error, and first in --help.

namespace dedup::testing {

inline constexpr const char* kUsage =
    "usage: station-dedup [--audit AUDIT_FILE] [--map MAP_FILE] [--kept-list LIST_FILE] [--max-records N] "
    "[--id COLUMN] [--agency COLUMN] [--lon COLUMN] [--lat COLUMN] [--prec COLUMN] [--delimiter D] "
    "[--decimal MARK] [--missing VALUE]... [--skip-missing] [--] STATION_LIST KEPT_FILE REMOVED_REPORT\n";

}  // namespace dedup::testing
