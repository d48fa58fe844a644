#pragma once
// The outputs a run may write, one description each, in the order they are put
// in place: the argument that names it, what the commit knows of it, its writer.
// The command line names them by OutputId; the run asks the commit for those named.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commit/output_set.h"
#include "commit/text_file.h"
#include "screening/screen_log.h"
#include "stations/list_syntax.h"
#include "stations/station_table.h"

namespace dedup {

enum OutputId : std::size_t { kKeptOutput, kKeptListOutput, kRemovedOutput, kAuditOutput, kMapOutput, kOutputCount };

// What every writer is given.
struct WriteInput {
  const StationTable& table;
  const std::vector<ScreenEvent>& events;     // empty unless an output reads the log
  std::span<const std::int64_t> first_lines;  // empty unless an output reads the log
  std::string_view list;                      // the list's bytes; empty unless an output copies them
  std::span<const RecordSpan> spans;          // empty unless an output copies the list
};

struct OutputDescription {
  OutputId id;
  OutputKind kind;
  std::string_view option;          // "--audit"; for a name given by position, its placeholder ("KEPT_FILE")
  std::string_view value = {};      // the option's value as usage and help show it
  std::string_view value_is = {};   // what "<option> needs ..." says is missing
  std::string_view help;            // its lines in --help
  std::size_t shown;                // its place among the outputs' arguments in the usage line and --help
  bool reads_log = false;           // needs the screening's events and each record's first line
  bool copies_list = false;         // needs the list's bytes and the span of each record's lines
  void (*write)(const WriteInput& input, TextFile& file) = nullptr;
};

const OutputDescription& output_description(OutputId id);

}  // namespace dedup
