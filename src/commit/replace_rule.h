#pragma once
// Which existing files an output may replace: one that is empty or begins
// with the output's `first_line` (any, when it is empty); raises FatalError
// "<name>: exists and is not <a what>; ..." otherwise, or when it is unreadable.

#include <string>
#include <string_view>

namespace dedup {

void check_may_replace(const std::string& path, std::string_view first_line, const std::string& name,
                       std::string_view what);

}  // namespace dedup
