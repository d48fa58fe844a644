#include "output/result_files.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "commit/text_file.h"
#include "output/layout_field.h"
#include "output/text_pieces.h"
#include "stations/reason_code.h"

namespace dedup {
namespace {

constexpr std::string_view kGap = "  ";

constexpr std::size_t kKeptCoordinateWidth = 12;
constexpr std::size_t kReportCoordinateWidth = 10;
constexpr std::size_t kPrecipitationWidth = 8;

// The widest text put_station<Width> writes: both texts at full length (all
// N bytes are copied), then the three numeric fields, each after its gap.
template <std::size_t Width>
constexpr std::size_t kStationMax =
    kIdLength + kGap.size() + kIdLength + 2 * (kGap.size() + Width) + kGap.size() + kPrecipitationWidth;
// The longest line of each file, the line feed included, so that one request
// for room holds any line; the word stores of a line's last field run at
// most kRunPast past its end, into the bytes every room has past its end.
constexpr std::size_t kKeptLineMax = kStationMax<kKeptCoordinateWidth> + 1;
constexpr std::size_t kReportLineMax = kStationMax<kReportCoordinateWidth> + kGap.size() + kReasonLength + 1;
static_assert(kKeptLineMax <= SharedBlock::kSize && kReportLineMax <= SharedBlock::kSize);

// A fixed text, trimmed: all N bytes copied in a few fixed-size moves, the
// end placed after the last non-blank one; the rest is scratch.
template <std::size_t N>
char* put_trimmed(char* out, const FixedText<N>& text) {
  static_assert(N == kIdLength, "kStationMax counts every text kIdLength wide");
  std::memcpy(out, text.full().data(), N);
  return out + text.trimmed().size();
}

// id, orgao, lon, lat and prec of one slot, without the line end; the
// coordinates Width wide with 6 decimals. The bytes from the end up to
// where a longest line would end, and kRunPast bytes past that, are
// scratch.
template <std::size_t Width>
char* put_station(char* out, const StationTable& table, std::int32_t slot) {
  out = put_trimmed(out, table.id[slot]);
  std::memcpy(out, kGap.data(), kGap.size());
  out = put_trimmed(out + kGap.size(), table.orgao[slot]);
  out = put_gap_and_field<Width, 6>(out, table.lon[slot]);
  out = put_gap_and_field<Width, 6>(out, table.lat[slot]);
  return put_gap_and_field<kPrecipitationWidth, 2>(out, table.prec[slot]);
}

// Writes put_line(out, slot), which returns the line's end, for every slot
// whose remove flag is `remove`. Room is asked for exactly where a request
// for a longest line before each line would ask for it (before the first
// line, and before a line when the room left is shorter than a longest
// one), so the text is handed over in the same pieces; between those,
// lines go straight into the room.
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
  file.done(put(file.room(kReportHeader.size()), kReportHeader));
  write_lines<kReportLineMax>(table, 1, file, [&table](char* out, std::int32_t slot) {
    out = put_station<kReportCoordinateWidth>(out, table, slot);
    out = put(out, kGap);
    out = put(out, reason_text(table.reason[slot].code()));
    *out = '\n';
    return out + 1;
  });
}

}  // namespace dedup
