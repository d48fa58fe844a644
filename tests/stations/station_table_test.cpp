#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "stations/station_table.h"

namespace dedup {
namespace {

// The reset clears the first n slots by writing and hands the pages beyond
// back to the system; every slot must read as reset either way, also the
// ones in the page that n ends in, and the station fields below n stay.
void check_reset_wherever_the_count_ends(std::int32_t capacity, std::initializer_list<std::int32_t> counts) {
  const auto table = std::make_unique<StationTable>(capacity);
  ASSERT_EQ(table->capacity(), capacity);
  for (const std::int32_t n : counts) {
    for (std::int32_t slot = 0; slot < capacity; ++slot) {
      table->remove[slot] = 1;
      table->mark_all[slot] = 1;
      table->reason[slot] = ReasonCode::kNearOtherPrec;
    }
    if (n > 0) table->store(n - 1, StationRecord{IdText("LAST"), IdText("AG"), 1.0f, 2.0f, 3.0f});
    table->n = n;
    table->reset_screening();
    std::int32_t dirty = 0;
    for (std::int32_t slot = 0; slot < capacity; ++slot) {
      if (table->remove[slot] != 0 || table->mark_all[slot] != 0 || table->reason[slot] != ReasonCode::kNone) {
        ++dirty;
      }
    }
    EXPECT_EQ(dirty, 0) << "capacity " << capacity << ", n = " << n;
    if (n > 0) {
      EXPECT_EQ(table->id[n - 1].trimmed(), "LAST") << n;
      EXPECT_EQ(table->prec[n - 1], 3.0f) << n;
    }
  }
}

// A capacity other than the default (here one that is no multiple of a
// page) keeps that contract over all of its slots.
TEST(StationTable, EverySlotReadsAsResetWhereverTheCountEnds) {
  for (const std::int32_t capacity : {kMaxStations, 100003}) {
    check_reset_wherever_the_count_ends(capacity, {0, 1, 1234, 4096, 4097, capacity - 1, capacity});
  }
}

// A long list asks for the columns in huge pages before storing; the
// reset then hands back parts of huge pages, and every slot above n must
// still read as reset.
TEST(StationTable, SlotsAboveNReadAsResetInHugePages) {
  const auto table = std::make_unique<StationTable>();
  table->use_huge_pages();
  const std::int32_t n = 20000;
  for (std::int32_t slot = 0; slot < kMaxStations; ++slot) {
    table->remove[slot] = 1;
    table->reason[slot] = ReasonCode::kExactCopy;
  }
  table->n = n;
  table->reset_screening();
  std::int32_t dirty = 0;
  for (std::int32_t slot = 0; slot < kMaxStations; ++slot) {
    if (table->remove[slot] != 0 || table->reason[slot] != ReasonCode::kNone) ++dirty;
  }
  EXPECT_EQ(dirty, 0);
}

TEST(ReasonCode, GivesBackExactlyTheSixTexts) {
  EXPECT_EQ(reason_text(ReasonCode::kNone), "");
  EXPECT_EQ(reason_text(ReasonCode::kOtherIdSamePrec), "IDs diferentes, local e precipitacao iguais");
  EXPECT_EQ(reason_text(ReasonCode::kOtherIdOtherPrec), "IDs diferentes, locais iguais e precipitacao diferente");
  EXPECT_EQ(reason_text(ReasonCode::kExactCopy), "Duplicata exata");
  EXPECT_EQ(reason_text(ReasonCode::kSamePlaceOtherPrec), "IDs iguais, locais iguais, precipitacao diferente");
  EXPECT_EQ(reason_text(ReasonCode::kNearSamePrec), "Distancia menor que 2000m");
  EXPECT_EQ(reason_text(ReasonCode::kNearOtherPrec),
            "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m");
}

}  // namespace
}  // namespace dedup
