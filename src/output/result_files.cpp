#include "output/result_files.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "output/field_renderer.h"
#include "output/text_file.h"

namespace dedup {
namespace {

constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
constexpr std::string_view kGap = "  ";

constexpr std::size_t kKeptCoordinateWidth = 12;
constexpr std::size_t kReportCoordinateWidth = 10;
constexpr std::size_t kPrecipitationWidth = 8;
constexpr FieldRenderer kKeptCoordinate{kKeptCoordinateWidth, 6};
constexpr FieldRenderer kReportCoordinate{kReportCoordinateWidth, 6};
constexpr FieldRenderer kPrecipitation{kPrecipitationWidth, 2};

// Longest possible line of each file (texts at full length, the line feed
// included), so that one reservation holds every line.
constexpr std::size_t kKeptLineMax =
    2 * kIdLength + 2 * kKeptCoordinateWidth + kPrecipitationWidth + 4 * kGap.size() + 1;
constexpr std::size_t kReportLineMax = 2 * kIdLength + 2 * kReportCoordinateWidth +
                                       kPrecipitationWidth + kReasonLength + 5 * kGap.size() + 1;

// A file's text, built in one block of memory allocated once at its largest
// possible size and written only as far as it is filled.
class TextBuffer {
 public:
  explicit TextBuffer(std::size_t capacity) : data_(new char[capacity]), end_(data_.get()) {}

  void put(std::string_view text) { end_ = std::copy(text.begin(), text.end(), end_); }
  void put(const FieldRenderer& renderer, float value) { end_ = renderer.write(end_, value); }
  void end_line() { *end_++ = '\n'; }

  std::string_view text() const {
    return {data_.get(), static_cast<std::size_t>(end_ - data_.get())};
  }

 private:
  std::unique_ptr<char[]> data_;
  char* end_;
};

// id, orgao, lon, lat and prec of one slot, without the line end.
void put_station(TextBuffer& out, const StationTable& table, std::int32_t slot,
                 const FieldRenderer& coordinate) {
  out.put(table.id[slot].trimmed());
  out.put(kGap);
  out.put(table.orgao[slot].trimmed());
  out.put(kGap);
  out.put(coordinate, table.lon[slot]);
  out.put(kGap);
  out.put(coordinate, table.lat[slot]);
  out.put(kGap);
  out.put(kPrecipitation, table.prec[slot]);
}

std::size_t record_count(const StationTable& table) { return static_cast<std::size_t>(table.n); }

}  // namespace

void write_kept(const StationTable& table, const std::string& name) {
  TextBuffer out(record_count(table) * kKeptLineMax);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] != 0) continue;
    put_station(out, table, slot, kKeptCoordinate);
    out.end_line();
  }
  write_text_file(name, "kept-stations file", out.text());
}

void write_removed(const StationTable& table, const std::string& name) {
  TextBuffer out(kReportHeader.size() + record_count(table) * kReportLineMax);
  out.put(kReportHeader);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] == 0) continue;
    put_station(out, table, slot, kReportCoordinate);
    out.put(kGap);
    out.put(table.reason[slot].trimmed());
    out.end_line();
  }
  write_text_file(name, "removed-stations report", out.text());
}

}  // namespace dedup
