#pragma once
// The outputs of one run, committed whole or not at all (src/README.md).

#include <cassert>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commit/folder_locks.h"
#include "commit/output_target.h"
#include "commit/signal_cleanup.h"
#include "commit/text_file.h"

namespace dedup {

// What the commit knows of a kind of output.
struct OutputKind {
  std::string_view what;  // in messages: "kept-stations file", ...
  bool may_replace_list = true;  // false: landing on the station list is refused
  std::string_view first_line = {};  // what an existing file must begin with to be replaced: replace_rule.h
};

struct OutputRequest {
  std::string name;
  OutputKind kind;
};

class OutputSet {
 public:
  // `station_list` names the list the run reads, which an output may replace;
  // raises FatalError naming the output that cannot be written.
  explicit OutputSet(const std::vector<OutputRequest>& requests, const std::string& station_list = {});
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // The text of the k-th output, in the order requested. REQUIRES: k < the outputs requested.
  TextFile& file(std::size_t k) {
    assert(k < outputs_.size());
    return *outputs_[k].file;
  }

  // Writes every output out (those in place too); commit() calls it if not done.
  void finish();
  // Puts every output in place, or none (raising FatalError); returns a note
  // (one line, no line end) for each old file it could not remove.
  [[nodiscard]] std::vector<std::string> commit();

 private:
  enum class Placed { kNot, kExchanged, kRenamed, kRenamedOver };
  struct Output {
    OutputTarget target;
    std::string temporary;  // the temporary's path (listed in temporaries_); empty when there is none
    int descriptor = -1;    // open on the temporary until it is closed
    bool replaces_list = false;
    std::string_view first_line;
    Placed placed = Placed::kNot;
    std::unique_ptr<TextFile> file;
  };

  void create_temporary(Output& output);
  static void finish_temporary(Output& output);
  static void write_in_place(Output& output);
  void put_in_place(Output& output);
  void put_back(Output& output);
  void remove_temporaries();

  FolderLocks locks_;
  SharedBlock block_;
  TemporaryList temporaries_;
  std::vector<Output> outputs_;
  bool finished_ = false;
};

}  // namespace dedup
