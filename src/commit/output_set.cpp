#include "commit/output_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "commit/replace_rule.h"
#include "commit/signal_cleanup.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

// Enough to recognise the output, within a folder entry's 255 bytes.
constexpr std::size_t kMaxNameInTemporary = 200;
constexpr std::string_view kTemporaryEnding = ".station-dedup-XXXXXX";

// What creating a file gives: 0666 less the process's umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

OutputSet::OutputSet(const std::vector<OutputRequest>& requests, const std::string& station_list)
    : temporaries_(requests.size()) {
  outputs_.reserve(requests.size());
  for (const OutputRequest& request : requests) {
    const std::string what(request.kind.what);
    Output output;
    output.target = find_output_target(request.name, what);
    for (const Output& earlier : outputs_) {
      if (same_output_file(earlier.target, output.target)) {
        throw FatalError(request.name + ": the " + what + " would overwrite the " + earlier.target.what +
                         " " + earlier.target.name + "; name two different files");
      }
    }
    output.replaces_list = !station_list.empty() && lands_on(output.target, station_list);
    if (output.replaces_list && !request.kind.may_replace_list) {
      throw FatalError(request.name + ": the " + what + " would overwrite the station list " + station_list +
                       "; name two different files");
    }
    output.first_line = request.kind.first_line;
    if (output.target.kind != OutputTarget::Kind::kDescriptor && output.target.regular_file) {
      check_may_replace(output.target.path, output.first_line, request.name, what);
    }
    if (output.target.kind == OutputTarget::Kind::kReplace) locks_.add(output.target);
    outputs_.push_back(std::move(output));
  }
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
  output.descriptor = temporaries_.create(output.temporary);
  if (output.descriptor < 0) {
    const int error = errno;
    output.temporary.clear();
    throw FatalError(target.name + ": cannot create the " + target.what + " in folder " + target.folder + ": " +
                     std::strerror(error));
  }
  output.file = std::make_unique<TextFile>(output.descriptor, block_, target.name, target.what);
  if (target.regular_file) {
    // Root may give the file back to its owner; others keep what the system
    // allows them (their own group, say), so a refusal here is no failure.
    if (::fchown(output.descriptor, target.owner, target.group) != 0) {
      static_cast<void>(::fchown(output.descriptor, static_cast<uid_t>(-1), target.group));
    }
  }
  if (::fchmod(output.descriptor, target.regular_file ? target.mode : new_file_mode()) != 0) {
    output.file->fail("create", errno);
  }
}

void OutputSet::finish_temporary(Output& output) {
  output.file->flush();
  if (output.replaces_list && ::fdatasync(output.descriptor) != 0) output.file->fail("write", errno);
  const int descriptor = output.descriptor;
  output.descriptor = -1;
  if (::close(descriptor) != 0) output.file->fail("close", errno);
}

void OutputSet::write_in_place(Output& output) {
  const OutputTarget& target = output.target;
  if (target.kind == OutputTarget::Kind::kDescriptor) {
    output.file->write_to(target.descriptor);
    return;
  }
  const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | (target.regular_file ? O_TRUNC : 0);
  const int descriptor = ::open(target.path.c_str(), flags);
  if (descriptor < 0) output.file->fail("open", errno);
  try {
    output.file->write_to(descriptor);
  } catch (const FatalError&) {
    ::close(descriptor);
    throw;
  }
  if (::close(descriptor) != 0) output.file->fail("close", errno);
}

void OutputSet::finish() {
  finished_ = true;
  for (Output& output : outputs_) {
    if (!output.temporary.empty()) finish_temporary(output);
  }
  for (Output& output : outputs_) {
    if (output.target.kind != OutputTarget::Kind::kReplace) write_in_place(output);
  }
}

void OutputSet::put_in_place(Output& output) {
  const OutputTarget& target = output.target;
  const char* const from = output.temporary.c_str();
  const char* const to = target.path.c_str();
  const char* const step = target.regular_file ? "replace" : "create";
  // An existing file is exchanged with the temporary, a new name created
  // without replacing anything; each finds the other case should another
  // program have created or removed the file meanwhile.
  bool exists = target.regular_file.has_value();
  for (int attempt = 0; attempt < 2; ++attempt, exists = !exists) {
    if (!exists) {
      if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        output.placed = Placed::kRenamed;
        return;
      }
      if (errno != EEXIST) break;
      continue;
    }
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0) {
      output.placed = Placed::kExchanged;
      // A file another program put at a new output's name meanwhile is held
      // to the replace rule too.
      if (!target.regular_file) {
        try {
          check_may_replace(output.temporary, output.first_line, target.name, target.what);
        } catch (const FatalError&) {
          put_back(output);
          throw;
        }
      }
      return;
    }
    if (errno != ENOENT) break;
  }
  if (errno != EINVAL && errno != ENOSYS) output.file->fail(step, errno);
  // A file system that can neither exchange two names nor refuse to replace
  // one: an existing file is replaced for good.
  const bool existed = ::access(to, F_OK) == 0;
  if (std::rename(from, to) != 0) output.file->fail(step, errno);
  output.placed = existed ? Placed::kRenamedOver : Placed::kRenamed;
}

void OutputSet::put_back(Output& output) {
  const char* const temporary = output.temporary.c_str();
  const char* const path = output.target.path.c_str();
  if (output.placed == Placed::kExchanged) {
    if (::renameat2(AT_FDCWD, temporary, AT_FDCWD, path, RENAME_EXCHANGE) != 0) {
      // The old file stays under the temporary's name rather than be lost.
      temporaries_.unlist(output.temporary);
      output.temporary.clear();
    }
  } else if (output.placed == Placed::kRenamed) {
    ::rename(path, temporary);
  }
  output.placed = Placed::kNot;
}

std::vector<std::string> OutputSet::commit() {
  if (!finished_) finish();
  const HeldSignals held;
  locks_.lock();
  std::size_t placed = 0;
  try {
    for (; placed < outputs_.size(); ++placed) {
      if (!outputs_[placed].temporary.empty()) put_in_place(outputs_[placed]);
    }
  } catch (const FatalError&) {
    while (placed > 0) put_back(outputs_[--placed]);
    throw;
  }
  locks_.unlock();
  // The temporaries' names now hold the old files, or nothing.
  std::vector<std::string> notes;
  for (Output& output : outputs_) {
    if (output.temporary.empty()) continue;
    if (output.placed == Placed::kExchanged && ::unlink(output.temporary.c_str()) != 0) {
      notes.push_back(output.target.name + ": replaced, but the earlier file is left as " + output.temporary +
                      ", which cannot be removed: " + std::strerror(errno) + "; remove it yourself");
    }
    temporaries_.unlist(output.temporary);
    output.temporary.clear();
  }
  return notes;
}

void OutputSet::remove_temporaries() {
  for (Output& output : outputs_) {
    if (output.descriptor >= 0) ::close(output.descriptor);
    output.descriptor = -1;
    if (output.temporary.empty()) continue;
    ::unlink(output.temporary.c_str());
    temporaries_.unlist(output.temporary);
    output.temporary.clear();
  }
}

}  // namespace dedup
