#pragma once
// Writes a whole text file from one buffer: creates the named file or empties
// it, writes the buffer in one block, flushes and closes it. Every step is
// checked, the flush and the close as well, since buffered output reports a
// full disk only there. A failure is a FatalError
// "<name>: cannot <step> the <what>: <system reason>".

#include <string>
#include <string_view>

namespace dedup {

void write_text_file(const std::string& name, std::string_view what, std::string_view content);

}  // namespace dedup
