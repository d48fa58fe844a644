#pragma once
// The run: check the names and prepare the outputs asked for (before anything
// is read, so that a run that cannot finish changes no file), read the station
// list, reset the screening state, screen, write each output (the kept-stations
// file, the removed-stations report, and when asked the audit file and the
// map), print the summary line, put the files in place. Every failure is a
// FatalError, caught only in run_command_line, which prints it and returns 2.

#include "app/command_line.h"

namespace dedup {

// The whole run the command line asks for; raises FatalError.
// REQUIRES: `command.action` is kRun.
void run(const CommandLine& command);

// Entry point: returns the process exit status (0 success, 2 failure).
int run_command_line(int argc, const char* const* argv);

}  // namespace dedup
