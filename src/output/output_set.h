#pragma once
// The outputs of one run, committed whole or not at all.
//
// Prepared before anything is read: every name is resolved (OutputTarget),
// two outputs that would land on one file are refused, and each output that
// replaces or creates a file gets a new temporary beside its final name,
// `.<name>.station-dedup-XXXXXX`, which shows that the run can create files
// there. Outputs to a descriptor or a device are collected in memory.
//
// commit() finishes in this order: every temporary is written out, flushed
// to the disk when it will replace a file, and closed; then the outputs to a
// descriptor or device are written; then the temporaries are renamed onto
// their final names in the order the outputs were given. Any failure before
// the renames leaves every existing file as it was, and the temporaries are
// removed: when the set is destroyed uncommitted, or by SIGINT, SIGTERM,
// SIGHUP or SIGPIPE at any moment. A replaced file keeps its permission bits;
// a new one gets those that creating a file gives (0666 less the umask).
// Failures are FatalErrors naming the output.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "output/output_target.h"
#include "output/text_file.h"

namespace dedup {

struct OutputRequest {
  std::string name;
  std::string what;  // "kept-stations file", ...
};

class OutputSet {
 public:
  explicit OutputSet(const std::vector<OutputRequest>& requests);
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // The text of the k-th output, in the order requested.
  TextFile& file(std::size_t k) { return *outputs_[k].file; }
  const OutputTarget& target(std::size_t k) const { return outputs_[k].target; }

  void commit();

 private:
  struct Output {
    OutputTarget target;
    std::string temporary;  // the temporary's path; empty when there is none
    int descriptor = -1;    // open on the temporary until it is closed
    std::unique_ptr<TextFile> file;
  };

  void create_temporary(Output& output);
  static void finish_temporary(Output& output);
  static void write_direct(Output& output);
  void remove_temporaries();

  SharedBlock block_;
  std::vector<Output> outputs_;
};

}  // namespace dedup
