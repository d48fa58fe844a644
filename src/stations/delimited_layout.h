#pragma once
// Where the columns of a delimited export lie: its delimiter, its header line
// and each role's field (rules: src/README.md, "The delimited export").

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "stations/list_syntax.h"

namespace dedup {

// The five columns of a record, in the order of its fields.
enum class Role { kId, kAgency, kLon, kLat, kPrec };
inline constexpr std::size_t kRoleCount = 5;

// "identifier", "agency", "longitude", "latitude", "precipitation".
const char* role_name(Role role);

// The syntax's choice for a role; null for an agency not given.
const ColumnChoice* column_choice(const DelimitedSyntax& syntax, Role role);

struct DelimitedLayout {
  char delimiter = 0;
  std::int64_t header_line = 0;  // 0: no header line
  std::size_t field_count = 0;   // the header's fields; 0 without a header
  std::size_t rows_start = 0;    // where the rows begin, at the start of a line
  std::int64_t rows_line = 1;
  std::array<int, kRoleCount> field{};       // each role's field, from 0; -1: a given value or none
  std::array<std::string, kRoleCount> shown;  // a role's column in messages: "NAME" or #N
};

// FatalError "<file>[:<line>]: ..." when no line or several delimiters
// qualify, or a position lies past the header's fields.
// REQUIRES: `start` lies at the start of line 1 of `content` (past a
// byte-order mark); every column of `syntax` is valid for its role.
DelimitedLayout find_layout(std::string_view content, std::size_t start, const std::string& file,
                            const DelimitedSyntax& syntax);

// A delimiter as messages show it: tab, or the character in quotes.
std::string shown_delimiter(char delimiter);

}  // namespace dedup
