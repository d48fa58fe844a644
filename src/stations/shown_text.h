#pragma once
// The offending text as a diagnostic shows it between quotation marks: at most
// 40 bytes, unprintable ones as \xHH, a backslash or quotation mark escaped.

#include <string>
#include <string_view>

namespace dedup {

std::string shown_text(std::string_view text);

}  // namespace dedup
