#include "stations/delimited_layout.h"

#include <vector>

#include "stations/delimited_names.h"
#include "stations/delimited_rows.h"
#include "stations/list_messages.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

constexpr char kDelimiters[] = {';', ',', '\t', '|'};
constexpr int kHeaderSearch = 100;
// How many of the nearest line's fields a message lists.
constexpr std::size_t kListed = 12;

struct Line {
  std::string_view text;
  std::size_t next = 0;  // the start of the line after it
};

Line line_at(std::string_view content, std::size_t start) {
  std::size_t end = content.find_first_of("\r\n", start);
  if (end == std::string_view::npos) return {content.substr(start), content.size()};
  const std::size_t next = end + (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') + 1;
  return {content.substr(start, end - start), next};
}

[[noreturn]] void fail(const std::string& file, std::int64_t line, const std::string& what) {
  throw FatalError(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + what);
}

std::string quoted_shown(std::string_view name) { return std::string(1, '"').append(shown_text(name)).append(1, '"'); }

// The names of a line's fields split at `delimiter`, one line at a time;
// false when the line does not split (a quotation mark left open, text
// after a closing one).
bool split_names(std::string_view line, char delimiter, DelimitedRow& row, std::vector<std::string_view>& names) {
  names.clear();
  DelimitedRows rows(line, 0, 1, delimiter);
  if (rows.next(row) != DelimitedRows::Status::kRow) return false;
  for (const DelimitedCell& cell : row.cells) names.push_back(header_name(cell.text));
  return true;
}

// The delimiter that the first non-blank line holds outside quotation
// marks, when it holds one only.
void find_delimiter_without_header(std::string_view content, std::size_t start, const std::string& file,
                                   DelimitedLayout& layout) {
  std::int64_t number = 1;
  Line line = line_at(content, start);
  while (without_blanks(line.text).empty()) {
    if (line.next >= content.size()) {
      layout.delimiter = kDelimiters[0];  // no rows: any delimiter reads them
      return;
    }
    line = line_at(content, line.next);
    ++number;
  }
  bool quoted = false;
  std::string held;
  for (const char c : line.text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    for (const char delimiter : kDelimiters) {
      if (c == delimiter && held.find(c) == std::string::npos) held += c;
    }
  }
  if (held.size() != 1) {
    fail(file, number,
         std::string("the first row holds ") + (held.empty() ? "none" : "more than one") +
             " of \";\", \",\", tab and \"|\" outside quotation marks (--delimiter D says which one separates the "
             "fields)");
  }
  layout.delimiter = held[0];
}

}  // namespace

const char* role_name(Role role) {
  constexpr const char* kNames[] = {"identifier", "agency", "longitude", "latitude", "precipitation"};
  return kNames[static_cast<std::size_t>(role)];
}

const ColumnChoice* column_choice(const DelimitedSyntax& syntax, Role role) {
  switch (role) {
    case Role::kId:
      return &syntax.id;
    case Role::kAgency:
      return syntax.agency ? &*syntax.agency : nullptr;
    case Role::kLon:
      return &syntax.lon;
    case Role::kLat:
      return &syntax.lat;
    case Role::kPrec:
      return &syntax.prec;
  }
  return nullptr;
}

std::string shown_delimiter(char delimiter) {
  if (delimiter == '\t') return "tab";
  return {'"', delimiter, '"'};
}

DelimitedLayout find_layout(std::string_view content, std::size_t start, const std::string& file,
                            const DelimitedSyntax& syntax) {
  DelimitedLayout layout;
  std::vector<ColumnName> names;
  std::vector<Role> named;
  for (std::size_t r = 0; r < kRoleCount; ++r) {
    const Role role = static_cast<Role>(r);
    const ColumnChoice* choice = column_choice(syntax, role);
    layout.field[r] = -1;
    if (choice == nullptr || choice->kind == ColumnChoice::Kind::kValue) continue;
    if (choice->kind == ColumnChoice::Kind::kPosition) {
      layout.field[r] = choice->position - 1;
      layout.shown[r] = "#" + std::to_string(choice->position);
      continue;
    }
    names.emplace_back(choice->text);
    named.push_back(role);
  }

  if (names.empty()) {
    layout.rows_start = start;
    if (syntax.delimiter != 0) {
      layout.delimiter = syntax.delimiter;
    } else {
      find_delimiter_without_header(content, start, file, layout);
    }
    return layout;
  }

  const std::string_view candidates =
      syntax.delimiter != 0 ? std::string_view(&syntax.delimiter, 1) : std::string_view(kDelimiters, 4);
  DelimitedRow row;
  std::vector<std::string_view> fields;
  // The line that matched the most names (then held the most fields), for
  // the message when none matches them all.
  std::size_t best_matched = 0;
  std::int64_t best_line = 0;
  char best_delimiter = 0;
  std::vector<std::string> best_fields;
  std::vector<std::string> header_fields;
  std::size_t at = start;
  for (std::int64_t number = 1; number <= kHeaderSearch && at < content.size(); ++number) {
    const Line line = line_at(content, at);
    at = line.next;
    if (without_blanks(line.text).empty()) continue;
    std::vector<int> found;
    for (const char delimiter : candidates) {
      if (!split_names(line.text, delimiter, row, fields)) continue;
      std::vector<int> places;
      for (const ColumnName& name : names) {
        if (const int place = name.find(fields); place >= 0) places.push_back(place);
      }
      if (places.size() == names.size()) {
        if (layout.delimiter != 0) {
          fail(file, number,
               "the header's columns are found both when the line is split at " + shown_delimiter(layout.delimiter) +
                   " and at " + shown_delimiter(delimiter) + " (--delimiter D says which one separates the fields)");
        }
        layout.delimiter = delimiter;
        layout.field_count = fields.size();
        found = places;
        header_fields.assign(fields.begin(), fields.end());
      } else if (best_line == 0 || places.size() > best_matched ||
                 (places.size() == best_matched && fields.size() > best_fields.size())) {
        best_matched = places.size();
        best_line = number;
        best_delimiter = delimiter;
        best_fields.assign(fields.begin(), fields.end());
      }
    }
    if (layout.delimiter == 0) continue;
    layout.header_line = number;
    layout.rows_start = line.next;
    layout.rows_line = number + 1;
    for (std::size_t k = 0; k < named.size(); ++k) layout.field[static_cast<std::size_t>(named[k])] = found[k];
    for (std::size_t r = 0; r < kRoleCount; ++r) {
      const int field = layout.field[r];
      if (field < 0) continue;
      if (static_cast<std::size_t>(field) >= layout.field_count) {
        fail(file, number,
             "column " + layout.shown[r] + " (" + role_name(static_cast<Role>(r)) + ") lies past the " +
                 std::to_string(layout.field_count) + " fields of the header");
      }
      layout.shown[r] = quoted_shown(header_fields[static_cast<std::size_t>(field)]);
    }
    return layout;
  }

  std::string what = "no line among the first " + std::to_string(kHeaderSearch) + " holds the columns ";
  for (std::size_t k = 0; k < names.size(); ++k) {
    what += (k == 0 ? "\"" : ", \"") + column_choice(syntax, named[k])->text + "\"";
  }
  if (best_line != 0) {
    what += "; line " + std::to_string(best_line) + ", split at " + shown_delimiter(best_delimiter) + ", holds ";
    for (std::size_t k = 0; k < best_fields.size() && k < kListed; ++k) {
      what += (k == 0 ? "" : ", ") + quoted_shown(best_fields[k]);
    }
    if (best_fields.size() > kListed) what += ", ... (" + std::to_string(best_fields.size()) + " in all)";
  }
  fail(file, 0, what);
}

}  // namespace dedup
