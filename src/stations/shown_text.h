#pragma once
// The offending text as a diagnostic shows it between quotation marks: at
// most 40 bytes, unprintable bytes written as \xHH, and a backslash or
// quotation mark preceded by a backslash, so that what is shown reads back
// to one text only.

#include <string>
#include <string_view>

namespace dedup {

std::string shown_text(std::string_view text);

}  // namespace dedup
