#include "stations/free_form_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "stations/list_messages.h"
#include "stations/number_text.h"
#include "stations/value_scanner.h"
#include "util/fatal_error.h"

namespace dedup {
namespace {

constexpr const char* kFieldNames[] = {"identifier", "agency", "longitude", "latitude", "precipitation"};
constexpr int kFieldCount = 5;
constexpr int kFirstNumericField = 2;
constexpr IdText StationRecord::*kTextFields[] = {&StationRecord::id, &StationRecord::orgao};
constexpr float StationRecord::*kNumberFields[] = {&StationRecord::lon, &StationRecord::lat, &StationRecord::prec};

float number(const ValueScanner& scanner, const ValueScanner::Value& value, int field) {
  if (float plain; scanner.read_plain_number(value, plain)) return plain;
  if (!value.quoted) {
    if (const auto parsed = parse_number(value.text)) return *parsed;
  }
  scanner.fail(value.line, std::string(kFieldNames[field]) + " \"" + shown_text(value.text) + "\" is not a number" +
                               (value.quoted ? " (numbers are written without quotes)" : ""));
}

// Reads the next record value by value into `record`, false when the file ends
// first; `first_line` receives the line of its first value.
bool read_record(ValueScanner& scanner, StationRecord& record, std::int64_t& first_line) {
  for (int field = 0; field < kFieldCount; ++field) {
    const ValueScanner::Value value = scanner.next();
    if (field == 0) first_line = value.line;
    switch (value.kind) {
      case ValueScanner::Kind::kEndOfFile:
        return false;
      case ValueScanner::Kind::kEndOfRecord:
        scanner.fail(value.line, std::string("the record ends at '/' before its ") +
                                     kFieldNames[std::max(field, kFirstNumericField)]);
      case ValueScanner::Kind::kEmpty:
        if (field >= kFirstNumericField) {
          scanner.fail(value.line, std::string(kFieldNames[field]) + " has no value");
        }
        (record.*kTextFields[field]).clear();
        break;
      case ValueScanner::Kind::kText:
        if (field < kFirstNumericField) {
          (record.*kTextFields[field]).assign(value.text);
        } else {
          record.*kNumberFields[field - kFirstNumericField] = number(scanner, value, field);
        }
        break;
    }
  }
  scanner.skip_rest_of_line();
  return true;
}

// Whether the first non-blank line holds a semicolon, as a spreadsheet's export does.
bool starts_like_an_export(std::string_view content) {
  while (!content.empty()) {
    const std::size_t end = std::min(content.find_first_of("\r\n"), content.size());
    const std::string_view line = content.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos) return line.find(';') != std::string_view::npos;
    content.remove_prefix(std::min(end + 1, content.size()));
  }
  return false;
}

}  // namespace

void read_free_form(std::string_view content, const std::string& name, StationTable& table, RecordPlaces& places) try {
  ValueScanner scanner(content, name);
  // Any other record is read value by value into `record` and stored once
  // whole, so that a slot never holds part of one.
  StationRecord record;
  std::int64_t first_line = 0;
  while (true) {
    table.n += scanner.read_common_records(table, places);
    const std::size_t begin = places.want_spans ? scanner.next_record_start() : 0;
    if (!read_record(scanner, record, first_line)) return;
    if (table.n == table.capacity()) scanner.fail(first_line, too_many_records(table.capacity()));
    table.store(table.n, record);
    if (places.want_lines) places.first_lines.push_back(first_line);
    if (places.want_spans) places.spans.push_back({begin, scanner.position()});
    ++table.n;
  }
} catch (const FatalError& error) {
  if (table.n != 0 || !starts_like_an_export(content)) throw;
  throw FatalError(std::string(error.what()) +
                   "; semicolons do not separate values here: read an export with --id, --lon, --lat and --prec"
                   " (see \"Reading an export\" in the README)");
}

}  // namespace dedup
