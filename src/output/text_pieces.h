#pragma once
// The names the audit file and the map give events' kinds and removed records:
// a switch each, so that an enumerator without its name is a warning (-Wswitch).

#include <string_view>

#include "screening/screen_log.h"

namespace dedup {

inline std::string_view name_of(ScreenEvent::Kind kind) {
  switch (kind) {
    case ScreenEvent::Kind::kPair: return "pair";
    case ScreenEvent::Kind::kPurge: return "purge";
    case ScreenEvent::Kind::kReview: return "review";
  }
  return {};
}

inline std::string_view name_of(ScreenEvent::Removed removed) {
  switch (removed) {
    case ScreenEvent::Removed::kNone: return "none";
    case ScreenEvent::Removed::kFirst: return "first";
    case ScreenEvent::Removed::kSecond: return "second";
    case ScreenEvent::Removed::kBoth: return "both";
  }
  return {};
}

}  // namespace dedup
