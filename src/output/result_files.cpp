#include "output/writers.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "commit/text_file.h"
#include "output/layout_field.h"
#include "output/text_appender.h"
#include "stations/fixed_text.h"
#include "stations/reason_code.h"

namespace dedup {
namespace {

constexpr std::string_view kGap = "  ";

constexpr std::size_t kKeptCoordinateWidth = 12;
constexpr std::size_t kReportCoordinateWidth = 10;
constexpr std::size_t kPrecipitationWidth = 8;

// The widest text put_station<Width> writes: both texts at full length.
template <std::size_t Width>
constexpr std::size_t kStationMax =
    kIdLength + kGap.size() + kIdLength + 2 * (kGap.size() + Width) + kGap.size() + kPrecipitationWidth;
// The longest line of each file, its line feed included.
constexpr std::size_t kKeptLineMax = kStationMax<kKeptCoordinateWidth> + 1;
constexpr std::size_t kReportLineMax = kStationMax<kReportCoordinateWidth> + kGap.size() + kReasonLength + 1;
static_assert(kKeptLineMax <= SharedBlock::kSize && kReportLineMax <= SharedBlock::kSize);

// A fixed text, trimmed: all N bytes copied, the end after the last non-blank.
template <std::size_t N>
char* put_trimmed(char* out, const FixedText<N>& text) {
  static_assert(N == kIdLength, "kStationMax counts every text kIdLength wide");
  std::memcpy(out, text.full().data(), N);
  return out + text.trimmed().size();
}

// id, orgao, lon, lat and prec of one slot, without the line end; the bytes
// up to where a longest line would end, and kRunPast past it, are scratch.
template <std::size_t Width>
char* put_station(char* out, const StationTable& table, std::int32_t slot) {
  out = put_trimmed(out, table.id[slot]);
  std::memcpy(out, kGap.data(), kGap.size());
  out = put_trimmed(out + kGap.size(), table.orgao[slot]);
  out = put_gap_and_field<Width, 6>(out, table.lon[slot]);
  out = put_gap_and_field<Width, 6>(out, table.lat[slot]);
  return put_gap_and_field<kPrecipitationWidth, 2>(out, table.prec[slot]);
}

// Writes put_line(out, slot) for every slot whose remove flag is `remove`.
template <std::size_t LineMax, class PutLine>
void write_lines(const StationTable& table, std::uint8_t remove, TextFile& file, PutLine put_line) {
  char* out = nullptr;
  const char* room_end = nullptr;
  for (std::int32_t slot = 0; slot < table.n; ++slot) {
    if (table.remove[slot] != remove) continue;
    if (static_cast<std::size_t>(room_end - out) < LineMax) {
      if (out != nullptr) file.done(out);
      out = file.room(LineMax);
      room_end = file.room_end();
    }
    out = put_line(out, slot);
  }
  if (out != nullptr) file.done(out);
}

}  // namespace

void write_kept(const StationTable& table, TextFile& file) {
  write_lines<kKeptLineMax>(table, 0, file, [&table](char* out, std::int32_t slot) {
    out = put_station<kKeptCoordinateWidth>(out, table, slot);
    *out = '\n';
    return out + 1;
  });
}

void write_removed(const StationTable& table, TextFile& file) {
  file.done(put_piece(file.room(kReportHeader.size()), kReportHeader));
  write_lines<kReportLineMax>(table, 1, file, [&table](char* out, std::int32_t slot) {
    out = put_station<kReportCoordinateWidth>(out, table, slot);
    out = put_piece(out, kGap);
    out = put_piece(out, reason_text(table.reason[slot]));
    *out = '\n';
    return out + 1;
  });
}

}  // namespace dedup
