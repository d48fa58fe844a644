#include "output/result_files.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output/layout_field.h"
#include "output/text_file.h"

namespace dedup {
namespace {

constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";
constexpr std::string_view kGap = "  ";

constexpr std::size_t kKeptCoordinateWidth = 12;
constexpr std::size_t kReportCoordinateWidth = 10;
constexpr std::size_t kPrecipitationWidth = 8;

// Longest possible line of each file (texts at full length, the line feed
// included), so that one request for room holds any line.
constexpr std::size_t kKeptLineMax =
    2 * kIdLength + 2 * kKeptCoordinateWidth + kPrecipitationWidth + 4 * kGap.size() + 1;
constexpr std::size_t kReportLineMax = 2 * kIdLength + 2 * kReportCoordinateWidth +
                                       kPrecipitationWidth + kReasonLength + 5 * kGap.size() + 1;

char* put(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

// id, orgao, lon, lat and prec of one slot, without the line end; the
// coordinates Width wide with 6 decimals. Up to 8 bytes past the end are
// scratch.
template <std::size_t Width>
char* put_station(char* out, const StationTable& table, std::int32_t slot) {
  out = put(out, table.id[slot].trimmed());
  out = put(out, kGap);
  out = put(out, table.orgao[slot].trimmed());
  out = put_gap_and_field<Width, 6>(out, table.lon[slot]);
  out = put_gap_and_field<Width, 6>(out, table.lat[slot]);
  return put_gap_and_field<kPrecipitationWidth, 2>(out, table.prec[slot]);
}

}  // namespace

void write_kept(const StationTable& table, TextFile& file) {
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] != 0) continue;
    char* out = put_station<kKeptCoordinateWidth>(file.room(kKeptLineMax), table, slot);
    *out++ = '\n';
    file.done(out);
  }
}

void write_removed(const StationTable& table, TextFile& file) {
  file.done(put(file.room(kReportHeader.size()), kReportHeader));
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] == 0) continue;
    char* out = put_station<kReportCoordinateWidth>(file.room(kReportLineMax), table, slot);
    out = put(out, kGap);
    out = put(out, table.reason[slot].trimmed());
    *out++ = '\n';
    file.done(out);
  }
}

}  // namespace dedup
