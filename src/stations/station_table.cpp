#include "stations/station_table.h"

#include <algorithm>

namespace dedup {

StationTable::StationTable()
    : id(std::make_unique<IdText[]>(kMaxStations)),
      orgao(std::make_unique<IdText[]>(kMaxStations)),
      lon(std::make_unique<float[]>(kMaxStations)),
      lat(std::make_unique<float[]>(kMaxStations)),
      prec(std::make_unique<float[]>(kMaxStations)),
      remove(std::make_unique<std::int32_t[]>(kMaxStations)),
      mark_all(std::make_unique<std::int32_t[]>(kMaxStations)),
      reason(std::make_unique<ReasonText[]>(kMaxStations)) {}

void StationTable::store(std::int32_t slot, const StationRecord& record) {
  id[slot] = record.id;
  orgao[slot] = record.orgao;
  lon[slot] = record.lon;
  lat[slot] = record.lat;
  prec[slot] = record.prec;
}

void StationTable::reset_screening() {
  std::fill_n(remove.get(), kMaxStations, 0);
  std::fill_n(mark_all.get(), kMaxStations, 0);
  std::for_each(reason.get(), reason.get() + kMaxStations, [](ReasonText& r) { r.clear(); });
}

}  // namespace dedup
