#pragma once
// The reason a record was removed: one of six fixed texts, or none, kept in
// the table as one byte per record; the texts exist once, here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dedup {

enum class ReasonCode : std::uint8_t {
  kNone = 0,
  kOtherIdSamePrec,
  kOtherIdOtherPrec,
  kExactCopy,
  kSamePlaceOtherPrec,
  kNearSamePrec,
  kNearOtherPrec,
};

// Width of the reason field; every text fits in it without being cut.
inline constexpr std::size_t kReasonLength = 100;

inline constexpr std::array<std::string_view, 7> kReasonTexts{
    "",
    "IDs diferentes, local e precipitacao iguais",
    "IDs diferentes, locais iguais e precipitacao diferente",
    "Duplicata exata",
    "IDs iguais, locais iguais, precipitacao diferente",
    "Distancia menor que 2000m",
    "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m",
};

static_assert([] {
  for (const std::string_view text : kReasonTexts) {
    if (text.size() > kReasonLength || (!text.empty() && text.back() == ' ')) return false;
  }
  return true;
}(), "reason texts are stored trimmed and fit the reason field");

// The text of a reason as the report writes it (trimmed); empty for kNone.
constexpr std::string_view reason_text(ReasonCode code) { return kReasonTexts[static_cast<std::size_t>(code)]; }

}  // namespace dedup
