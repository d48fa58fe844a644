#pragma once
// A failure that ends the run, naming the file concerned (and a bad value's
// line); caught once at the entry point, which prints it and exits with status 2.

#include <stdexcept>
#include <string>

namespace dedup {

class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dedup
