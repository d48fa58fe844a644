#include "app/run_sequence.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/outputs.h"
#include "commit/output_set.h"
#include "screening/duplicate_screen.h"
#include "screening/screen_log.h"
#include "stations/list_file.h"
#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

constexpr int kExitFailure = 2;

void print_summary(const RunNames& names) {
  const std::string line = " " + *names.outputs[kKeptOutput] + "  e  " + *names.outputs[kRemovedOutput] + "\n";
  if (std::fputs(line.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
    throw FatalError("cannot write the summary line to standard output");
  }
}

int print(std::FILE* stream, const std::string& text, int status) {
  std::fputs(text.c_str(), stream);
  return std::fflush(stream) == 0 ? status : kExitFailure;
}

}  // namespace

void run(const CommandLine& command) {
  const RunNames& names = command.names;
  if (names.station_list.empty()) throw FatalError("the name of the station list is empty");
  std::vector<OutputRequest> requests;
  std::vector<const OutputDescription*> asked;  // the k-th writes the k-th request
  requests.reserve(kOutputCount);
  asked.reserve(kOutputCount);
  RecordPlaces places;
  for (std::size_t id = 0; id < kOutputCount; ++id) {
    if (!names.outputs[id]) continue;
    const OutputDescription& output = output_description(static_cast<OutputId>(id));
    if (names.outputs[id]->empty()) throw FatalError("the name of the " + std::string(output.kind.what) + " is empty");
    requests.push_back({*names.outputs[id], output.kind});
    asked.push_back(&output);
    places.want_lines = places.want_lines || output.reads_log;
    places.want_spans = places.want_spans || output.copies_list;
  }
  OutputSet outputs(requests, names.station_list);
  const auto table = std::make_unique<StationTable>(command.max_records);
  ScreenLog log;
  std::optional<ListFile> list(std::in_place, names.station_list);
  StationListReader::read(*list, command.syntax, *table, places);
  // The list's pages count against the run's memory only while an output needs them.
  if (!places.want_spans) list.reset();
  table->reset_screening();
  DuplicateScreen::screen(*table, places.want_lines ? &log : nullptr);
  const WriteInput input{*table, log.events(), places.first_lines, list ? list->content() : std::string_view(),
                         places.spans};
  for (std::size_t k = 0; k < asked.size(); ++k) asked[k]->write(input, outputs.file(k));
  outputs.finish();
  for (const std::string& note : places.notes) std::fprintf(stderr, "station-dedup: %s\n", note.c_str());
  print_summary(names);  // while no file has changed: a standard output that cannot take it fails the run
  for (const std::string& note : outputs.commit()) std::fprintf(stderr, "station-dedup: %s\n", note.c_str());
}

int run_command_line(int argc, const char* const* argv) {
  const std::span<const Argument> arguments = station_dedup_arguments();
  const CommandLine command = parse_command_line(argc, argv, arguments);
  switch (command.action) {
    case CommandLine::Action::kHelp:
      return print(stdout, help_text(arguments), 0);
    case CommandLine::Action::kVersion:
      return print(stdout, version_text(), 0);
    case CommandLine::Action::kUsageError:
      return print(stderr,
                   (command.problem.empty() ? "" : "station-dedup: " + command.problem + "\n") + usage_text(arguments),
                   kExitFailure);
    case CommandLine::Action::kRun:
      break;
  }
  try {
    run(command);
    return 0;
  } catch (const FatalError& error) {
    std::fprintf(stderr, "station-dedup: %s\n", error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "station-dedup: out of memory\n");
  }
  return kExitFailure;
}

}  // namespace dedup
