#include "stations/delimited_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "stations/delimited_layout.h"
#include "stations/delimited_number.h"
#include "stations/delimited_rows.h"
#include "stations/plain_decimal.h"
#include "stations/list_messages.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

// Rows left out that are told of one by one; the rest only by their count.
constexpr std::int64_t kNotedRows = 10;

constexpr std::size_t index(Role role) { return static_cast<std::size_t>(role); }

class ExportReader {
 public:
  ExportReader(std::string_view content, const std::string& name, const DelimitedSyntax& syntax,
               const DelimitedLayout& layout)
      : content_(content),
        name_(name),
        syntax_(syntax),
        layout_(layout),
        numbers_(syntax.decimal, layout.delimiter, syntax.missing) {
    for (const Role role : {Role::kLon, Role::kLat, Role::kPrec}) {
      if (layout.field[index(role)] >= 0) number_columns_.emplace_back(layout.field[index(role)], role);
    }
    std::ranges::stable_sort(number_columns_, {}, &std::pair<int, Role>::first);
    if (syntax.agency && syntax.agency->kind == ColumnChoice::Kind::kValue) given_agency_.assign(syntax.agency->text);
  }

  void read(StationTable& table, RecordPlaces& places);

 private:
  [[noreturn]] void fail(std::int64_t line, const std::string& what) const {
    throw FatalError(name_ + ":" + std::to_string(line) + ": " + what);
  }
  std::string column(Role role) const {
    return "column " + layout_.shown[index(role)] + " (" + role_name(role) + ")";
  }
  // A field as messages name it: the first role's column that it is, else its number.
  std::string field_named(std::size_t field) const {
    for (std::size_t r = 0; r < kRoleCount; ++r) {
      if (layout_.field[r] == static_cast<int>(field)) return column(static_cast<Role>(r));
    }
    return "field " + std::to_string(field + 1);
  }
  const DelimitedCell& cell(Role role) const { return row_.cells[slot_[index(role)]]; }
  // Stores a cell's text, in whole words (inline) where the bytes past it
  // can be read.
  void store_text(const DelimitedCell& text, IdText& field) {
    const char* const end = content_.data() + content_.size();
    if (!text.doubled_quotes && end - text.text.data() >= static_cast<std::ptrdiff_t>(kIdLength + 8)) {
      field.assign_words(text.text.data(), text.text.size(), end);
    } else {
      field.assign(cell_text(text, scratch_));
    }
  }
  // Reads the row's numbers by the fast path; false when one of them is
  // not for it. Out of the row loop, where the compiler inlines all three.
  [[gnu::noinline]] bool read_quickly(std::array<float, kRoleCount>& values) const {
    const auto number = [&](Role role) {
      return numbers_.read_quickly(cell(role).text, cell(role).quoted, values[index(role)]);
    };
    return number(Role::kLon) && number(Role::kLat) && (layout_.field[index(Role::kPrec)] < 0 || number(Role::kPrec));
  }
  // Checks the row's number of fields against the header's (or the first
  // row's, without a header).
  void check_fields(std::int64_t line);
  // Reads the row's numbers into `values`; false when one is missing and
  // the row is to be left out (noted in `places`).
  bool read_numbers(std::int64_t line, std::array<float, kRoleCount>& values, RecordPlaces& places);

  std::string_view content_;
  const std::string& name_;
  const DelimitedSyntax& syntax_;
  DelimitedLayout layout_;
  DelimitedNumbers numbers_;
  std::vector<std::pair<int, Role>> number_columns_;  // in the order of the fields
  IdText given_agency_;
  std::array<std::size_t, kRoleCount> slot_{};  // where a role's cell is kept in row_
  DelimitedRow row_;
  std::string scratch_;
  std::int64_t count_line_ = 0;  // the line whose fields every row must have
  std::int64_t left_out_ = 0;
};

void ExportReader::check_fields(std::int64_t line) {
  if (layout_.field_count == 0) {
    layout_.field_count = row_.fields;
    count_line_ = line;
    for (std::size_t r = 0; r < kRoleCount; ++r) {
      if (layout_.field[r] >= 0 && static_cast<std::size_t>(layout_.field[r]) >= row_.fields) {
        fail(line, column(static_cast<Role>(r)) + " lies past the " + std::to_string(row_.fields) +
                       " fields of the first row");
      }
    }
  }
  std::size_t fields = row_.fields;
  // A trailing separator: one more field, empty.
  if (fields == layout_.field_count + 1 && row_.trailing_empty) --fields;
  if (fields == layout_.field_count) return;
  const std::string where = layout_.header_line != 0 ? "the header (line " : "the first row (line ";
  fail(line, std::to_string(row_.fields) + " fields where " + where + std::to_string(count_line_) + ") has " +
                 std::to_string(layout_.field_count));
}

bool ExportReader::read_numbers(std::int64_t line, std::array<float, kRoleCount>& values, RecordPlaces& places) {
  int missing = -1;
  for (const auto& [field, role] : number_columns_) {
    const DelimitedCell& number = cell(role);
    switch (numbers_.read(number.text, number.quoted, content_.data() + content_.size(), values[index(role)])) {
      case DelimitedNumbers::Result::kNumber:
        break;
      case DelimitedNumbers::Result::kMissing:
        if (!syntax_.skip_missing) fail(line, column(role) + " has no value (--skip-missing leaves such rows out)");
        if (missing < 0) missing = static_cast<int>(role);
        break;
      case DelimitedNumbers::Result::kNotANumber:
        fail(line, column(role) + ": \"" + shown_text(without_blanks(cell_text(number, scratch_))) +
                       "\" is not a number");
    }
  }
  if (missing < 0) return true;
  if (++left_out_ <= kNotedRows) {
    places.notes.push_back(name_ + ":" + std::to_string(line) + ": " + column(static_cast<Role>(missing)) +
                           " has no value; row left out");
  }
  return false;
}

void ExportReader::read(StationTable& table, RecordPlaces& places) {
  // Only the cells of the chosen columns are kept, each once however many
  // roles take it.
  std::vector<std::size_t> kept;
  for (const int field : layout_.field) {
    if (field >= 0) kept.push_back(static_cast<std::size_t>(field));
  }
  std::ranges::sort(kept);
  kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
  for (std::size_t r = 0; r < kRoleCount; ++r) {
    if (layout_.field[r] >= 0) {
      const auto field = static_cast<std::size_t>(layout_.field[r]);
      slot_[r] = static_cast<std::size_t>(std::ranges::find(kept, field) - kept.begin());
    }
  }
  DelimitedRows rows(content_, layout_.rows_start, layout_.rows_line, layout_.delimiter, std::move(kept));
  count_line_ = layout_.header_line;
  std::array<float, kRoleCount> values{};
  values[index(Role::kPrec)] = syntax_.prec.number;
  while (true) {
    switch (rows.next(row_)) {
      case DelimitedRows::Status::kRow:
        break;
      case DelimitedRows::Status::kEnd:
        if (left_out_ > kNotedRows) {
          const std::int64_t more = left_out_ - kNotedRows;
          places.notes.push_back(name_ + ": " + std::to_string(more) + " more row" + (more == 1 ? "" : "s") +
                                 " left out for a missing value");
        }
        return;
      case DelimitedRows::Status::kUnclosedQuote:
        fail(rows.fault_line(), "a quotation mark opened here is never closed");
      case DelimitedRows::Status::kTextAfterQuote:
        fail(rows.fault_line(), field_named(rows.fault_field()) +
                                    ": text after a closing quotation mark (only blanks may follow it in a field)");
    }
    const std::int64_t line = rows.row_line();
    if (row_.fields != layout_.field_count) check_fields(line);
    if (row_.line_end) {
      for (const Role role : {Role::kId, Role::kAgency}) {
        if (layout_.field[index(role)] >= 0 && cell(role).line_end) {
          fail(line, column(role) + " holds a line end (a record's texts stay on one line)");
        }
      }
    }
    // Each number read by the fast path where all of them can be; otherwise
    // the row's numbers are read again in column order, which also settles
    // what is missing or wrong.
    const bool quick = rows.row_end() + kPlainDecimalReach <= content_.size() && read_quickly(values);
    if (!quick && !read_numbers(line, values, places)) continue;
    const std::int32_t slot = table.n;
    if (slot == table.capacity()) fail(line, too_many_records(table.capacity()));
    store_text(cell(Role::kId), table.id[slot]);
    if (layout_.field[index(Role::kAgency)] >= 0) {
      store_text(cell(Role::kAgency), table.orgao[slot]);
    } else {
      table.orgao[slot] = given_agency_;
    }
    table.lon[slot] = values[index(Role::kLon)];
    table.lat[slot] = values[index(Role::kLat)];
    table.prec[slot] = values[index(Role::kPrec)];
    if (places.want_lines) places.first_lines.push_back(line);
    if (places.want_spans) places.spans.push_back({rows.row_begin(), rows.row_end()});
    ++table.n;
  }
}

}  // namespace

void read_delimited(std::string_view content, const std::string& name, const DelimitedSyntax& syntax,
                    StationTable& table, RecordPlaces& places) {
  assert(table.n == 0);
  if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) {
    throw FatalError(name + ": the file is in UTF-16 (it begins with the bytes " +
                     (content[0] == '\xFF' ? "FF FE" : "FE FF") + "); save it as UTF-8 or Latin-1");
  }
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const std::size_t start = content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  ExportReader(content, name, syntax, find_layout(content, start, name, syntax)).read(table, places);
}

}  // namespace dedup
