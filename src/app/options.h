#pragma once
// The arguments of station-dedup, one entry each: the three file names by
// position, then the options; the command line, the usage line and --help
// all read this table.

#include <span>

#include "app/command_line.h"

namespace dedup {

std::span<const Argument> station_dedup_arguments();

}  // namespace dedup
