#pragma once
// The outputs of one run, committed whole or not at all.
//
// Prepared before anything is read: every name is resolved (OutputTarget),
// two outputs that would land on one file are refused, and so is an output
// that may not replace the station list landing on it, or an output of a
// kind with a first line landing on a file it may not replace
// (replace_rule.h). Each output that replaces or creates a file gets a new
// temporary beside its final name, `.<name>.station-dedup-XXXXXX`, which
// shows that the run can create files there. Outputs written in place (a
// descriptor, a device) are collected in memory.
//
// finish() writes every temporary out and closes it; one that will replace
// the station list is first flushed to the disk, so that a power cut can
// never leave the list's only copy empty (an output that replaces an earlier
// run's file is not: file systems such as ext4 and btrfs write a file that
// is renamed over another before the rename, and the list can make it
// again). Then it writes the outputs written in place.
//
// commit() (which first calls finish() when that has not been done) then
// puts the temporaries onto their final names in the order the outputs were
// given, with the clean-up signals held back and the folders locked against
// other runs (folder_locks.h); a file that another run put at a new output's
// name meanwhile is replaced like an existing one. Each existing file is
// exchanged with its temporary, so that when a later one cannot be put in
// place the earlier ones are put back; only when all are in place are the
// old files removed. Any failure before or during commit() thus leaves every
// existing file as it was, and the temporaries are removed: when the set is
// destroyed uncommitted, or by a signal that ends the run (signal_cleanup.h)
// at any moment; a signal that arrives while the files are renamed ends the
// run once all are in place. An old file that cannot be removed after all
// are in place stays under its temporary's name, and commit() returns a note
// naming it and why. A replaced file keeps its permission bits and, as far
// as the user may give them, its owner and group; a new one gets those that
// creating a file gives (0666 less the umask). Failures are FatalErrors
// naming the output.

#include <cassert>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commit/folder_locks.h"
#include "commit/output_target.h"
#include "commit/text_file.h"

namespace dedup {

struct OutputRequest {
  std::string name;
  std::string what;  // "kept-stations file", ...
  bool may_replace_list = true;  // false: landing on the station list is refused
  std::string_view first_line = {};  // the line this kind of file begins with: replace_rule.h
};

class OutputSet {
 public:
  // `station_list` names the list the run reads, which an output may replace.
  explicit OutputSet(const std::vector<OutputRequest>& requests, const std::string& station_list = {});
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // The text of the k-th output, in the order requested.
  TextFile& file(std::size_t k) {
    assert(k < outputs_.size());
    return *outputs_[k].file;
  }

  void finish();
  // The notes of old files left behind, one line each (no line end).
  [[nodiscard]] std::vector<std::string> commit();

 private:
  enum class Placed { kNot, kExchanged, kRenamed, kRenamedOver };
  struct Output {
    OutputTarget target;
    std::string temporary;  // the temporary's path; empty when there is none
    int descriptor = -1;    // open on the temporary until it is closed
    bool replaces_list = false;
    std::string_view first_line;
    Placed placed = Placed::kNot;
    std::unique_ptr<TextFile> file;
  };

  void create_temporary(Output& output);
  static void finish_temporary(Output& output);
  static void write_in_place(Output& output);
  static void put_in_place(Output& output);
  static void put_back(Output& output);
  void remove_temporaries();

  FolderLocks locks_;
  SharedBlock block_;
  std::vector<Output> outputs_;
  bool finished_ = false;
};

}  // namespace dedup
