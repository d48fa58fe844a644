#pragma once
// A failure that ends the run: raised where it happens (opening, reading,
// writing or closing a file, a malformed value), caught once at the entry
// point, which prints "station-dedup: <what()>" and exits with status 2.
// The message names the file concerned and, for a bad value, its line.

#include <stdexcept>
#include <string>

namespace dedup {

class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dedup
