#pragma once
// Which field of a header line a column name means (rules: src/README.md,
// "The delimited export"); fields are compared as header_name() gives them.

#include <string>
#include <string_view>
#include <vector>

namespace dedup {

// A header field without surrounding blanks, a leading UTF-8 byte-order
// mark and surrounding quotation marks.
std::string_view header_name(std::string_view field);

class ColumnName {
 public:
  explicit ColumnName(std::string_view typed);

  // The index of the one field the name means, or -1 when none or several
  // fields match alike.
  int find(const std::vector<std::string_view>& fields) const;

 private:
  std::string typed_;
  std::string latin1_;  // the Latin-1 form, when the name has one that differs
};

}  // namespace dedup
