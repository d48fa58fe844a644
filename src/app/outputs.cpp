#include "app/outputs.h"

#include <array>
#include <cstddef>
#include <utility>

#include "output/writers.h"

namespace dedup {
namespace {

constexpr std::array<OutputDescription, kOutputCount> kOutputs{{
    {.id = kKeptOutput, .kind = {"kept-stations file"}, .option = "KEPT_FILE",
     .help = "written: one line per kept station, no header; may be\n"
             "STATION_LIST itself",
     .shown = 0, .write = [](const WriteInput& in, TextFile& file) { write_kept(in.table, file); }},
    {.id = kKeptListOutput, .kind = {"kept list"}, .option = "--kept-list", .value = "LIST_FILE",
     .value_is = "the name of the kept list",
     .help = "also write LIST_FILE: STATION_LIST itself, byte for byte,\n"
             "less the lines of every removed record (its notes, header\n"
             "and columns kept); may be STATION_LIST itself",
     .shown = 4, .copies_list = true,
     .write = [](const WriteInput& in, TextFile& file) { write_kept_list(in.list, in.spans, in.table, file); }},
    {.id = kRemovedOutput, .kind = {"removed-stations report", false, kReportHeader}, .option = "REMOVED_REPORT",
     .help = "written: a header line, then one line per removed station\n"
             "with its reason (MOTIVO); must differ from KEPT_FILE and\n"
             "STATION_LIST, and replaces only an empty file or a report",
     .shown = 1, .write = [](const WriteInput& in, TextFile& file) { write_removed(in.table, file); }},
    {.id = kAuditOutput, .kind = {"audit file", false, kAuditHeader}, .option = "--audit", .value = "AUDIT_FILE",
     .value_is = "the name of the audit file",
     .help = "also write AUDIT_FILE, a CSV file with one row per event:\n"
             "each pair that removed records, each record the purge\n"
             "removed with the record it was matched with, and each\n"
             "pair of kept stations that may be one (to review): with\n"
             "different identifiers less than 0.02 apart, or of one\n"
             "identifier kept twice; it must differ from the other\n"
             "three files, and replaces only an empty file or an\n"
             "audit file",
     .shown = 2, .reads_log = true,
     .write = [](const WriteInput& in, TextFile& file) { write_audit(in.table, in.events, in.first_lines, file); }},
    {.id = kMapOutput, .kind = {"map file", false, kMapStart}, .option = "--map", .value = "MAP_FILE",
     .value_is = "the name of the map file",
     .help = "also write MAP_FILE, a GeoJSON file for a GIS: one point\n"
             "per record (record, line, id, agency, precipitation,\n"
             "status kept or removed, reason) and one line per row of\n"
             "the audit file, from the first record to the second\n"
             "(event, case, first_record, second_record, distance,\n"
             "removed, same_precipitation); it must differ from the\n"
             "other files, and replaces only an empty file or a map\n"
             "this program wrote",
     .shown = 3, .reads_log = true,
     .write = [](const WriteInput& in, TextFile& file) { write_map(in.table, in.events, in.first_lines, file); }},
}};

// Each entry is its id's and has a writer; each place among the outputs'
// arguments is taken once, by position before options (as on the command line).
constexpr bool well_formed() {
  std::array<bool, kOutputCount> taken{};
  for (std::size_t k = 0; k < kOutputCount; ++k) {
    const OutputDescription& output = kOutputs[k];
    if (output.id != k || !output.write || output.shown >= kOutputCount) return false;
    if (std::exchange(taken[output.shown], true)) return false;
    for (const OutputDescription& other : kOutputs) {
      if (output.option.starts_with('-') && !other.option.starts_with('-') && other.shown > output.shown) return false;
    }
  }
  return true;
}
static_assert(well_formed(), "one entry per OutputId in its order, each with its writer and its own place");

}  // namespace

const OutputDescription& output_description(OutputId id) { return kOutputs[id]; }

}  // namespace dedup
