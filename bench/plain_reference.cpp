// The program's run with the plain reference scan in place of the indexed
// one: reads the list into a table of as many slots as MAX_RECORDS gives,
// screens it by the plain quadratic scan and purge, and writes the
// kept-stations file, the removed-stations report and, when named, the audit
// file with the program's own writers. Its files are what the program must
// write for the same list, byte for byte, so that `cmp` can check a long list
// that the test suite has no time for. Its time grows with the square of the
// record count: about 1.3 s for 30000 records of the realistic network.
//
// Usage: plain_reference MAX_RECORDS LIST KEPT REMOVED [AUDIT]
// Exit status 2 with the program's diagnostic when the list is refused.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "output/writers.h"
#include "screening/duplicate_screen.h"
#include "util/fatal_error.h"
#include "stations/list_file.h"
#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"

namespace {

void write_file(dedup::TextFile& text, const char* name) {
  const int descriptor = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor < 0) throw dedup::FatalError(std::string(name) + ": cannot open");
  text.write_to(descriptor);
  if (::close(descriptor) != 0) throw dedup::FatalError(std::string(name) + ": cannot close");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace dedup;
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: plain_reference MAX_RECORDS LIST KEPT REMOVED [AUDIT]\n");
    return 2;
  }
  const bool audit = argc == 6;
  try {
    const auto table = std::make_unique<StationTable>(std::atoi(argv[1]));
    RecordPlaces places;
    places.want_lines = audit;
    ListFile list(argv[2]);
    StationListReader::read(list, FreeFormSyntax{}, *table, places);
    table->reset_screening();
    ScreenLog log;
    DuplicateScreen::screen_plain(*table, audit ? &log : nullptr);
    TextFile kept(argv[3], "kept-stations file");
    TextFile removed(argv[4], "removed-stations report");
    write_kept(*table, kept);
    write_removed(*table, removed);
    write_file(kept, argv[3]);
    write_file(removed, argv[4]);
    if (audit) {
      TextFile trail(argv[5], "audit file");
      write_audit(*table, log.events(), places.first_lines, trail);
      write_file(trail, argv[5]);
    }
  } catch (const FatalError& error) {
    std::fprintf(stderr, "plain_reference: %s\n", error.what());
    return 2;
  }
  return 0;
}
