#pragma once
// The run: check the names and prepare the outputs asked for (before anything
// is read, so that a run that cannot finish changes no file), read the station
// list, reset the screening state, screen, write each output (the kept-stations
// file, the removed-stations report, and when asked the audit file and the
// map), print the summary line, put the files in place. Every failure is a
// FatalError, caught only in run_command_line, which prints it and returns 2.

#include <cstdint>

#include "app/command_line.h"

namespace dedup {

// The whole run for the given names, with a table of `max_records` slots;
// raises FatalError.
void run(const RunNames& names, std::int32_t max_records);

// Entry point: returns the process exit status (0 success, 2 failure).
int run_command_line(int argc, const char* const* argv);

}  // namespace dedup
