#include "output/result_files.h"

namespace dedup {

void write_kept(const StationTable&, const std::string&) {}
void write_removed(const StationTable&, const std::string&) {}

}  // namespace dedup
