#include "stations/station_list_reader.h"

#include <cstddef>
#include <variant>

#include "stations/delimited_reader.h"
#include "stations/free_form_reader.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

// From this size on (about 12000 records of the usual length) a list fills
// most of each huge page of the table's columns, and huge pages cost fewer
// faults than they take to clear.
constexpr std::size_t kLongList = std::size_t{512} << 10;

// The overload set of std::visit's documented example: one call per alternative.
template <typename... Reader> struct Readers : Reader... { using Reader::operator()...; };
template <typename... Reader> Readers(Reader...) -> Readers<Reader...>;

}  // namespace

void StationListReader::read(ListFile& file, const ListSyntax& syntax, StationTable& table, RecordPlaces& places) {
  try {
    read_content(file.content(), file.name(), syntax, table, places);
  } catch (const FatalError&) {
    // What is wrong in a list cut short may be only the cut.
    file.check_whole();
    throw;
  }
  file.check_whole();
}

void StationListReader::read_content(std::string_view content, const std::string& name, const ListSyntax& syntax,
                                     StationTable& table, RecordPlaces& places) {
  table.n = 0;
  if (content.size() >= kLongList) table.use_huge_pages();
  places.first_lines.clear();
  places.spans.clear();
  places.notes.clear();
  // Room for every slot at once: a vector that grew would touch its pages
  // twice, and only the pages the records fill are ever touched.
  if (places.want_lines) places.first_lines.reserve(static_cast<std::size_t>(table.capacity()));
  if (places.want_spans) places.spans.reserve(static_cast<std::size_t>(table.capacity()));
  // One reader per list syntax (src/README.md): a syntax without one does not compile.
  std::visit(Readers{[&](const FreeFormSyntax&) { read_free_form(content, name, table, places); },
                     [&](const DelimitedSyntax& delimited) {
                       read_delimited(content, name, delimited, table, places);
                     }},
             syntax);
}

}  // namespace dedup
