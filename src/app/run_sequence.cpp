#include "app/run_sequence.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "output/result_files.h"
#include "screening/duplicate_screen.h"
#include "util/fatal_error.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"

namespace dedup {
namespace {

constexpr int kExitFailure = 2;

void print_summary(const RunNames& names) {
  const std::string line = " " + names.kept + "  e  " + names.removed + "\n";
  if (std::fputs(line.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
    throw FatalError("cannot write the summary line to standard output");
  }
}

int print(std::FILE* stream, const std::string& text, int status) {
  std::fputs(text.c_str(), stream);
  return std::fflush(stream) == 0 ? status : kExitFailure;
}

}  // namespace

void run(const RunNames& names, std::int32_t max_records) {
  if (names.station_list.empty()) throw FatalError("the name of the station list is empty");
  std::vector<OutputRequest> requests{{names.kept, "kept-stations file"},
                                      {names.removed, "removed-stations report", false, kReportHeader}};
  const bool audit = names.audit.has_value();
  const bool map = names.map.has_value();
  if (audit) requests.push_back({*names.audit, "audit file", false, kAuditHeader});
  if (map) requests.push_back({*names.map, "map file", false, kMapStart});
  for (const OutputRequest& request : requests) {
    if (request.name.empty()) throw FatalError("the name of the " + request.what + " is empty");
  }
  OutputSet outputs(requests, names.station_list);
  const auto table = std::make_unique<StationTable>(max_records);
  RecordPlaces places;
  ScreenLog log;
  const bool logged = audit || map;
  places.want_lines = logged;
  ListFile list(names.station_list);
  StationListReader::read(list, FreeFormSyntax{}, *table, places);
  table->reset_screening();
  DuplicateScreen::screen(*table, logged ? &log : nullptr);
  write_kept(*table, outputs.file(0));
  write_removed(*table, outputs.file(1));
  if (audit) write_audit(*table, log.events(), places.first_lines, outputs.file(2));
  if (map) write_map(*table, log.events(), places.first_lines, outputs.file(audit ? 3 : 2));
  outputs.finish();
  // The summary goes out before the files are put in place: a standard
  // output that cannot take it fails the run while no file has changed.
  print_summary(names);
  // A file left behind after the outputs are in place fails nothing, but
  // the person who runs the tool is told where it is.
  for (const std::string& note : outputs.commit()) std::fprintf(stderr, "station-dedup: %s\n", note.c_str());
}

int run_command_line(int argc, const char* const* argv) {
  const CommandLine command = parse_command_line(argc, argv);
  switch (command.action) {
    case CommandLine::Action::kHelp:
      return print(stdout, help_text(), 0);
    case CommandLine::Action::kVersion:
      return print(stdout, version_text(), 0);
    case CommandLine::Action::kUsageError:
      return print(stderr, (command.problem.empty() ? "" : "station-dedup: " + command.problem + "\n") + usage_text(),
                   kExitFailure);
    case CommandLine::Action::kRun:
      break;
  }
  try {
    run(command.names, command.max_records);
    return 0;
  } catch (const FatalError& error) {
    std::fprintf(stderr, "station-dedup: %s\n", error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "station-dedup: out of memory\n");
  }
  return kExitFailure;
}

}  // namespace dedup
