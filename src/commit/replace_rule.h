#pragma once
// Which existing files an output may replace: a regular file that is empty or
// begins with the output's first line (any file when that line is empty), so
// that a slip of the command line never turns a list into a report.

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
