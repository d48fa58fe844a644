#pragma once
// Which existing files an output may replace. Each kind of output file has
// the line it begins with (the removed-stations report its header line, the
// audit file its header row); an output of such a kind replaces an existing
// regular file only when that file is empty or begins with that line, so
// that a slip of the command line never turns a station list, or any other
// file, into a report. An empty first line (the kept-stations file) allows
// any file. Anything but a regular file (a device, a FIFO) is not checked.

#include <string>
#include <string_view>

namespace dedup {

// Raises FatalError "<name>: exists and is not <a what>; remove it or name
// another file" when the file at `path` may not be replaced by an output
// whose files begin with `first_line`, or "<name>: cannot read it to check
// that it is <a what>: <reason>" when it cannot be read to tell.
void check_may_replace(const std::string& path, std::string_view first_line, const std::string& name,
                       std::string_view what);

}  // namespace dedup
