#pragma once
// The fast way of writing a fixed-point field (put_gap_and_field) held to
// the exact one (render_field): fields_agree<Width, Decimals>(value) is
// true when both write the same bytes. Shared by the test suite's sweep and
// the exhaustive check over every float (field_exhaustive.cpp).

#include <cstring>

#include "output/field_renderer.h"
#include "output/layout_field.h"
#include "commit/text_file.h"

namespace dedup::testing {

template <std::size_t Width, int Decimals>
bool fields_agree(float value) {
  char fast[2 + Width + kRunPast];
  char exact[2 + Width];
  exact[0] = ' ';
  exact[1] = ' ';
  const char* const fast_end = put_gap_and_field<Width, Decimals>(fast, value);
  const char* const exact_end = render_field(exact + 2, value, Width, Decimals);
  return fast_end == fast + sizeof exact && exact_end == exact + sizeof exact &&
         std::memcmp(fast, exact, sizeof exact) == 0;
}

}  // namespace dedup::testing
