#include "commit/text_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "util/fatal_error.h"

namespace dedup {

TextFile::TextFile(int descriptor, SharedBlock& shared, std::string name, std::string what)
    : name_(std::move(name)), what_(std::move(what)), descriptor_(descriptor), shared_(&shared) {}

TextFile::TextFile(std::string name, std::string what)
    : name_(std::move(name)),
      what_(std::move(what)),
      owned_(new char[SharedBlock::kSize + kRunPast]),
      capacity_(SharedBlock::kSize) {
  block_ = owned_.get();
}

void TextFile::take_turn() {
  if (shared_->holder != nullptr) {
    shared_->holder->flush();
    shared_->holder->capacity_ = 0;
  }
  shared_->holder = this;
  if (!shared_->bytes) shared_->bytes.reset(new char[SharedBlock::kSize + kRunPast]);
  block_ = shared_->bytes.get();
  capacity_ = SharedBlock::kSize;
  filled_ = 0;
}

void TextFile::append(std::string_view text) {
  if (!has_room(text.size())) {
    if (shared_ != nullptr && text.size() > SharedBlock::kSize) {
      // Longer than the block: what is pending goes first, then the text.
      flush();
      write_all(descriptor_, text.data(), text.size());
      return;
    }
    make_room(text.size());
  }
  std::copy_n(text.data(), text.size(), block_ + filled_);
  filled_ += text.size();
}

void TextFile::make_room(std::size_t size) {
  if (shared_ != nullptr) {
    if (shared_->holder == this) {
      flush();
    } else {
      take_turn();
    }
    return;
  }
  const std::size_t capacity = std::max(2 * capacity_, filled_ + size);
  std::unique_ptr<char[]> larger(new char[capacity + kRunPast]);
  std::copy_n(block_, filled_, larger.get());
  owned_ = std::move(larger);
  block_ = owned_.get();
  capacity_ = capacity;
}

void TextFile::flush() {
  write_all(descriptor_, block_, filled_);
  filled_ = 0;
}

void TextFile::write_to(int descriptor) { write_all(descriptor, block_, filled_); }

void TextFile::write_all(int descriptor, const char* data, std::size_t size) const {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) fail("write", written < 0 ? errno : EIO);
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void TextFile::fail(std::string_view step, int error) const {
  throw FatalError(name_ + ": cannot " + std::string(step) + " the " + what_ + ": " + std::strerror(error));
}

}  // namespace dedup
