#pragma once
// Checks made on the file names before anything is read or written, so that a
// run that cannot finish fails without touching any file: no name is empty,
// each output lies in an existing folder and is not itself a folder, and the
// two outputs are not one file (the report would overwrite the kept stations).
// The kept-stations file may be the station list itself: it is read in full
// first. Raises FatalError.

#include "app/command_line.h"

namespace dedup {

void check_names(const RunNames& names);

}  // namespace dedup
