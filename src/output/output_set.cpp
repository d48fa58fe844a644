#include "output/output_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "output/signal_cleanup.h"
#include "stations/fatal_error.h"

namespace dedup {
namespace {

// Long enough to recognise the output, short enough that the temporary's
// name stays within the 255 bytes a folder entry may have.
constexpr std::size_t kMaxNameInTemporary = 200;
constexpr std::string_view kTemporaryEnding = ".station-dedup-XXXXXX";

// What creating a file gives: 0666 less the process's umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

OutputSet::OutputSet(const std::vector<OutputRequest>& requests) {
  outputs_.reserve(requests.size());
  for (const OutputRequest& request : requests) {
    Output output;
    output.target = find_output_target(request.name, request.what);
    for (const Output& earlier : outputs_) {
      if (same_output_file(earlier.target, output.target)) {
        throw FatalError(request.name + ": the " + request.what + " would overwrite the " + earlier.target.what +
                         " " + earlier.target.name + "; name two different files");
      }
    }
    outputs_.push_back(std::move(output));
  }
  clean_up_temporaries_on_signals();
  try {
    for (Output& output : outputs_) {
      if (output.target.kind == OutputTarget::Kind::kReplace) {
        create_temporary(output);
      } else {
        output.file = std::make_unique<TextFile>(output.target.name, output.target.what);
      }
    }
  } catch (...) {
    remove_temporaries();  // the destructor does not run for a set never made
    throw;
  }
}

OutputSet::~OutputSet() { remove_temporaries(); }

void OutputSet::create_temporary(Output& output) {
  const OutputTarget& target = output.target;
  output.temporary = target.folder + "/." + target.base.substr(0, kMaxNameInTemporary) + std::string(kTemporaryEnding);
  output.descriptor = create_listed_temporary(output.temporary);
  if (output.descriptor < 0) {
    const int error = errno;
    output.temporary.clear();
    throw FatalError(target.name + ": cannot create the " + target.what + ": " + std::strerror(error));
  }
  output.file = std::make_unique<TextFile>(output.descriptor, block_, target.name, target.what);
  if (::fchmod(output.descriptor, target.regular_file ? target.mode : new_file_mode()) != 0) {
    output.file->fail("create", errno);
  }
}

void OutputSet::finish_temporary(Output& output) {
  output.file->flush();
  // A file that replaces another reaches the disk before its name does, so
  // that a crash leaves the old file or the new one, never an empty one.
  if (output.target.regular_file && ::fdatasync(output.descriptor) != 0) output.file->fail("write", errno);
  const int descriptor = output.descriptor;
  output.descriptor = -1;
  if (::close(descriptor) != 0) output.file->fail("close", errno);
}

void OutputSet::write_direct(Output& output) {
  const OutputTarget& target = output.target;
  if (target.kind == OutputTarget::Kind::kDescriptor) {
    output.file->write_to(target.descriptor);
    return;
  }
  const int descriptor = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) output.file->fail("open", errno);
  try {
    output.file->write_to(descriptor);
  } catch (const FatalError&) {
    ::close(descriptor);
    throw;
  }
  if (::close(descriptor) != 0) output.file->fail("close", errno);
}

void OutputSet::commit() {
  for (Output& output : outputs_) {
    if (!output.temporary.empty()) finish_temporary(output);
  }
  for (Output& output : outputs_) {
    if (output.temporary.empty()) write_direct(output);
  }
  for (Output& output : outputs_) {
    if (output.temporary.empty()) continue;
    if (std::rename(output.temporary.c_str(), output.target.path.c_str()) != 0) {
      output.file->fail("replace", errno);
    }
    unlist_temporary(output.temporary);
    output.temporary.clear();
  }
}

void OutputSet::remove_temporaries() {
  for (Output& output : outputs_) {
    if (output.descriptor >= 0) ::close(output.descriptor);
    output.descriptor = -1;
    if (output.temporary.empty()) continue;
    ::unlink(output.temporary.c_str());
    unlist_temporary(output.temporary);
    output.temporary.clear();
  }
}

}  // namespace dedup
