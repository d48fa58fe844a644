#pragma once
// The run: the outputs prepared before anything is read, the list read and
// screened, then the kept-stations file, the removed-stations report and any
// of the kept list, audit file and map asked for written and put in place.

#include "app/command_line.h"

namespace dedup {

// The whole run the command line asks for; raises FatalError.
// REQUIRES: `command.action` is kRun.
void run(const CommandLine& command);

// Entry point: prints any FatalError and returns the exit status (0 success, 2 failure).
int run_command_line(int argc, const char* const* argv);

}  // namespace dedup
