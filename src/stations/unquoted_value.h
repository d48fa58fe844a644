#pragma once
// The bytes that end an unquoted value: blank, tab, comma, slash, line feed and
// carriage return. They and '*' lie below '0', so that the end of a value can
// be searched for eight bytes at a time (swar::below_digits).

#include <array>

namespace dedup {

inline constexpr auto kEndsValue = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {' ', '\t', ',', '/', '\n', '\r'}) table[c] = true;
  return table;
}();

inline bool ends_value(char c) { return kEndsValue[static_cast<unsigned char>(c)]; }

}  // namespace dedup
