// The whole run on a fuzzed station list: read, reset, screen with the
// program's scan, write both result files into a temporary folder. A read
// failure (FatalError) is a normal outcome; then it checks:
// - every record read is in exactly one of the two files, in record order:
//   the kept-stations file holds one line per record with remove 0, the
//   report its header and one line per record with remove 1; each line starts
//   with the record's trimmed id and orgao, has the fixed width of its
//   numeric fields, and a report line ends with the record's trimmed reason;
// - the plain reference scan, on a second table read from the same list,
//   gives the same remove, mark_all and reason for every record;
// - flags are 0 or 1, and a record with a non-blank reason or with
//   mark_all = 1 is removed.
// A failed check, any other exception or a sanitizer report is a finding.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "commit/output_set.h"
#include "output/writers.h"
#include "screening/duplicate_screen.h"
#include "util/fatal_error.h"
#include "stations/list_syntax.h"
#include "stations/station_list_reader.h"
#include "stations/station_table.h"

namespace {

using dedup::StationTable;

constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
// The numeric fields after "id  orgao  ": lon, lat and prec two blanks apart.
constexpr std::size_t kKeptNumbers = 12 + 2 + 12 + 2 + 8;
constexpr std::size_t kReportNumbers = 10 + 2 + 10 + 2 + 8;

void require(bool condition) {
  if (!condition) std::abort();
}

// A folder of its own for the two files, removed when the fuzzer ends.
class OutputFolder {
 public:
  OutputFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-pipeline-XXXXXX").string();
    require(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~OutputFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Takes the next line (without its line feed) from `text` at `cursor`.
std::string_view next_line(std::string_view text, std::size_t& cursor) {
  const std::size_t end = text.find('\n', cursor);
  require(end != std::string_view::npos);
  const std::string_view line = text.substr(cursor, end - cursor);
  cursor = end + 1;
  return line;
}

void check_files(const StationTable& table, std::string_view kept, std::string_view report) {
  std::size_t kept_at = 0;
  require(report.starts_with(kReportHeader));
  std::size_t report_at = kReportHeader.size();
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    std::string start(table.id[slot].trimmed());
    start += "  ";
    start += table.orgao[slot].trimmed();
    start += "  ";
    if (table.remove[slot] == 0) {
      const std::string_view line = next_line(kept, kept_at);
      require(line.starts_with(start) && line.size() == start.size() + kKeptNumbers);
    } else {
      const std::string_view line = next_line(report, report_at);
      const std::string_view reason = reason_text(table.reason[slot]);
      require(line.starts_with(start) && line.size() == start.size() + kReportNumbers + 2 + reason.size());
      require(line.ends_with(reason));
    }
  }
  require(kept_at == kept.size() && report_at == report.size());
}

void check_flags(const StationTable& program, const StationTable& plain) {
  for (std::int32_t slot = 0; slot < program.n; ++slot) {
    require(program.remove[slot] == plain.remove[slot]);
    require(program.mark_all[slot] == plain.mark_all[slot]);
    require(program.reason[slot] == plain.reason[slot]);
    require(program.remove[slot] == 0 || program.remove[slot] == 1);
    require(program.mark_all[slot] == 0 || program.mark_all[slot] == 1);
    if (program.reason[slot] != dedup::ReasonCode::kNone || program.mark_all[slot] == 1) {
      require(program.remove[slot] == 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static StationTable program;
  static StationTable plain;
  static const OutputFolder folder;
  static const std::string kept = folder.file("kept.txt");
  static const std::string report = folder.file("removed.txt");

  const std::string_view content(reinterpret_cast<const char*>(data), size);
  dedup::RecordPlaces places;
  try {
    dedup::StationListReader::read_content(content, "fuzzed.txt", dedup::FreeFormSyntax{}, program, places);
  } catch (const dedup::FatalError&) {
    return 0;
  }
  program.reset_screening();
  dedup::DuplicateScreen::screen(program);
  {
    dedup::OutputSet outputs({{kept, {"kept-stations file"}}, {report, {"removed-stations report"}}});
    dedup::write_kept(program, outputs.file(0));
    dedup::write_removed(program, outputs.file(1));
    require(outputs.commit().empty());
  }
  check_files(program, slurp(kept), slurp(report));

  dedup::StationListReader::read_content(content, "fuzzed.txt", dedup::FreeFormSyntax{}, plain, places);
  require(plain.n == program.n);
  plain.reset_screening();
  dedup::DuplicateScreen::screen_plain(plain);
  check_flags(program, plain);
  return 0;
}
