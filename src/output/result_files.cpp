#include "output/result_files.h"

#include <cstddef>
#include <cstdint>
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

// id, orgao, lon, lat and prec of one slot, without the line end.
void append_station(std::string& out, const StationTable& table, std::int32_t slot,
                    const FieldRenderer& coordinate) {
  out.append(table.id[slot].trimmed());
  out.append(kGap);
  out.append(table.orgao[slot].trimmed());
  out.append(kGap);
  coordinate.append(out, table.lon[slot]);
  out.append(kGap);
  coordinate.append(out, table.lat[slot]);
  out.append(kGap);
  kPrecipitation.append(out, table.prec[slot]);
}

std::size_t record_count(const StationTable& table) { return static_cast<std::size_t>(table.n); }

}  // namespace

void write_kept(const StationTable& table, const std::string& name) {
  std::string out;
  out.reserve(record_count(table) * kKeptLineMax);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] != 0) continue;
    append_station(out, table, slot, kKeptCoordinate);
    out.push_back('\n');
  }
  write_text_file(name, "kept-stations file", out);
}

void write_removed(const StationTable& table, const std::string& name) {
  std::string out;
  out.reserve(kReportHeader.size() + record_count(table) * kReportLineMax);
  out.append(kReportHeader);
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] == 0) continue;
    append_station(out, table, slot, kReportCoordinate);
    out.append(kGap);
    out.append(table.reason[slot].trimmed());
    out.push_back('\n');
  }
  write_text_file(name, "removed-stations report", out);
}

}  // namespace dedup
