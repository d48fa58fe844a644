#pragma once
// The bytes of the station list that end an unquoted value: blanks (space,
// tab), comma, slash and the two line end bytes (line feed, carriage return).
// All of them, and '*', lie below '0', so that the end of a value can be
// searched for eight bytes at a time (swar::below_digits).

#include <array>

namespace dedup {

inline constexpr auto kEndsValue = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {' ', '\t', ',', '/', '\n', '\r'}) table[c] = true;
  return table;
}();

inline bool ends_value(char c) { return kEndsValue[static_cast<unsigned char>(c)]; }

}  // namespace dedup
