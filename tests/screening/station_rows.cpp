#include "screening/station_rows.h"

#include <cstdio>
#include <memory>

namespace dedup::testing {

void load(StationTable& table, const std::vector<Row>& rows) {
  table.n = static_cast<std::int32_t>(rows.size());
  for (std::int32_t k = 0; k < table.n; ++k) {
    const Row& row = rows[static_cast<std::size_t>(k)];
    table.store(k, StationRecord{IdText(row.id), IdText("ORG"), row.lon, row.lat, row.prec});
    table.remove[k] = 0;
    table.mark_all[k] = 0;
    table.reason[k] = ReasonCode::kNone;
  }
}

void PrintTo(const Outcome& outcome, std::ostream* out) {
  *out << "{remove " << outcome.remove << ", mark_all " << outcome.mark_all << ", '" << outcome.reason << "'}";
}

std::vector<Outcome> outcomes(const StationTable& table) {
  std::vector<Outcome> result;
  for (std::int32_t k = 0; k < table.n; ++k) {
    result.push_back({table.remove[k], table.mark_all[k], std::string(reason_text(table.reason[k]))});
  }
  return result;
}

std::string numbered(const std::string& prefix, std::uint64_t k) {
  std::string text = prefix;
  text.append(std::to_string(k));
  return text;
}

std::string describe(const std::vector<Row>& rows) {
  std::string text;
  char line[256];
  for (std::size_t k = 0; k < rows.size(); ++k) {
    std::snprintf(line, sizeof line, "%3zu  '%s'  %.9g  %.9g  %.9g\n", k + 1, rows[k].id.c_str(),
                  static_cast<double>(rows[k].lon), static_cast<double>(rows[k].lat),
                  static_cast<double>(rows[k].prec));
    text += line;
  }
  return text;
}

std::string describe(const std::vector<ScreenEvent>& events) {
  constexpr const char* kKinds[] = {"pair", "purge", "review"};
  constexpr const char* kRemoved[] = {"none", "first", "second", "both"};
  std::string text;
  char line[512];
  for (const ScreenEvent& event : events) {
    std::snprintf(line, sizeof line, "%s case %d: %d %d  %a  %s  %s  '%.*s' '%.*s'\n",
                  kKinds[static_cast<int>(event.kind)], static_cast<int>(event.pair_case.value_or(PairCase{0})), event.first + 1, event.second + 1,
                  static_cast<double>(event.distance), kRemoved[static_cast<int>(event.removed)], event.same_prec ? "same prec" : "other prec",
                  static_cast<int>(event.first_reason.size()), event.first_reason.data(),
                  static_cast<int>(event.second_reason.size()), event.second_reason.data());
    text += line;
  }
  return text;
}

std::vector<Outcome> screen_rows(ScreenFunction screen, const std::vector<Row>& rows) {
  const auto table = std::make_unique<StationTable>();
  load(*table, rows);
  screen(*table, nullptr);
  return outcomes(*table);
}

}  // namespace dedup::testing
