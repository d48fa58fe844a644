#pragma once
// The reason a record was removed: one of six fixed texts, or none, kept in
// the table as one byte per record; the texts exist once, here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace dedup {

enum class ReasonCode : std::uint8_t {
  kNone = 0,
  kOtherIdSamePrec,
  kOtherIdOtherPrec,
  kExactCopy,
  kSamePlaceOtherPrec,
  kNearSamePrec,
  kNearOtherPrec,
  kCount,  // not a reason: the number of codes
};

// Width of the reason field; every text fits in it without being cut.
inline constexpr std::size_t kReasonLength = 100;

// Each code's text, in the enumerators' order (checked below).
inline constexpr std::array<std::pair<ReasonCode, std::string_view>, static_cast<std::size_t>(ReasonCode::kCount)>
    kReasonTexts{{
    {ReasonCode::kNone, ""},
    {ReasonCode::kOtherIdSamePrec, "IDs diferentes, local e precipitacao iguais"},
    {ReasonCode::kOtherIdOtherPrec, "IDs diferentes, locais iguais e precipitacao diferente"},
    {ReasonCode::kExactCopy, "Duplicata exata"},
    {ReasonCode::kSamePlaceOtherPrec, "IDs iguais, locais iguais, precipitacao diferente"},
    {ReasonCode::kNearSamePrec, "Distancia menor que 2000m"},
    {ReasonCode::kNearOtherPrec, "IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m"},
}};

static_assert([] {
  for (std::size_t k = 0; k < kReasonTexts.size(); ++k) {
    const auto& [code, text] = kReasonTexts[k];
    if (static_cast<std::size_t>(code) != k || text.empty() != (k == 0)) return false;
    if (text.size() > kReasonLength || (!text.empty() && text.back() == ' ')) return false;
  }
  return true;
}(), "one text per code, in the codes' order (none for kNone), trimmed, fitting the reason field");

// The text of a reason as the report writes it (trimmed); empty for kNone.
constexpr std::string_view reason_text(ReasonCode code) { return kReasonTexts[static_cast<std::size_t>(code)].second; }

}  // namespace dedup
