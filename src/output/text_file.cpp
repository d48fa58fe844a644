#include "output/text_file.h"

#include <cerrno>
#include <cstring>

#include "stations/fatal_error.h"

namespace dedup {

TextFile::TextFile(const std::string& name, std::string_view what)
    : name_(name), what_(what), block_(new char[kBlockSize]) {
  file_ = std::fopen(name.c_str(), "wb");
  if (file_ == nullptr) fail("create", errno);
}

TextFile::~TextFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void TextFile::write_block() {
  if (filled_ > 0 && std::fwrite(block_.get(), 1, filled_, file_) != filled_) fail("write", errno);
  filled_ = 0;
}

void TextFile::finish() {
  write_block();
  if (std::fflush(file_) != 0) fail("write", errno);
  std::FILE* const file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) fail("close", errno);
}

void TextFile::fail(std::string_view step, int error) const {
  throw FatalError(name_ + ": cannot " + std::string(step) + " the " + std::string(what_) + ": " +
                   std::strerror(error));
}

}  // namespace dedup
