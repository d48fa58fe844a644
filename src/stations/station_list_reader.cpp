#include "stations/station_list_reader.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "stations/fatal_error.h"
#include "stations/list_file.h"
#include "stations/number_text.h"
#include "stations/plain_record.h"
#include "stations/value_scanner.h"

namespace dedup {
namespace {

constexpr const char* kFieldNames[] = {"identifier", "agency", "longitude", "latitude",
                                       "precipitation"};
constexpr int kFieldCount = 5;
constexpr int kFirstNumericField = 2;

// From this size on (about 12000 records of the usual length) a list fills
// most of each huge page of the table's columns, and huge pages cost fewer
// faults than they take to clear.
constexpr std::size_t kLongList = std::size_t{512} << 10;

// The offending text as a diagnostic shows it between quotation marks: at
// most 40 bytes, unprintable bytes written as \xHH, and a backslash or
// quotation mark preceded by a backslash, so that what is shown reads back
// to one text only.
std::string shown(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (text.size() > kShown) out += "...";
  return out;
}

// Where one record's five values go: a slot of the table, or a record of
// its own for the attempt past the table's capacity.
struct RecordFields {
  IdText& id;
  IdText& orgao;
  float& lon;
  float& lat;
  float& prec;
};

class RecordReader {
 public:
  RecordReader(const std::string& name, std::string_view content)
      : name_(name), scanner_(content, name) {}

  // The common records that follow, as many as there are and slots remain.
  void read_plain(StationTable& table, StationListReader::FirstLines* first_lines) {
    read_plain_records(scanner_, table, first_lines);
  }

  // Reads the next record, of any form, value by value; false when the file
  // ends before it is complete.
  bool read(const RecordFields& record) {
    for (int field = 0; field < kFieldCount; ++field) {
      const ValueScanner::Value value = scanner_.next();
      if (field == 0) first_line_ = value.line;
      switch (value.kind) {
        case ValueScanner::Kind::kEndOfFile:
          return false;
        case ValueScanner::Kind::kEndOfRecord:
          fail(value.line, std::string("the record ends at '/' before its ") + kFieldNames[first_numeric(field)]);
        case ValueScanner::Kind::kEmpty:
          if (field >= kFirstNumericField) fail(value.line, std::string(kFieldNames[field]) + " has no value");
          text_field(record, field).clear();
          break;
        case ValueScanner::Kind::kText:
          if (field < kFirstNumericField) {
            text_field(record, field).assign(value.text);
          } else {
            number_field(record, field) = number(value, field);
          }
          break;
      }
    }
    scanner_.skip_rest_of_line();
    return true;
  }

  // Line of the first value of the record read last.
  std::int64_t first_line() const { return first_line_; }

 private:
  static int first_numeric(int field) { return field < kFirstNumericField ? kFirstNumericField : field; }

  static IdText& text_field(const RecordFields& record, int field) {
    return field == 0 ? record.id : record.orgao;
  }

  static float& number_field(const RecordFields& record, int field) {
    return field == 2 ? record.lon : field == 3 ? record.lat : record.prec;
  }

  float number(const ValueScanner::Value& value, int field) const {
    if (!value.quoted) {
      if (const auto parsed = parse_number(value.text)) return *parsed;
    }
    fail(value.line, std::string(kFieldNames[field]) + " \"" + shown(value.text) + "\" is not a number" +
                         (value.quoted ? " (numbers are written without quotes)" : ""));
  }

  [[noreturn]] void fail(std::int64_t line, const std::string& what) const {
    throw FatalError(name_ + ":" + std::to_string(line) + ": " + what);
  }

  const std::string& name_;
  ValueScanner scanner_;
  std::int64_t first_line_ = 0;
};

// Whether the first line that holds anything holds a semicolon: the mark of
// a spreadsheet's export, which the list's syntax does not read.
bool starts_like_an_export(std::string_view content) {
  while (!content.empty()) {
    const std::size_t end = std::min(content.find_first_of("\r\n"), content.size());
    const std::string_view line = content.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos) return line.find(';') != std::string_view::npos;
    content.remove_prefix(std::min(end + 1, content.size()));
  }
  return false;
}

void read_records(std::string_view content, const std::string& name, StationTable& table,
                  StationListReader::FirstLines* first_lines) {
  RecordReader reader(name, content);
  if (content.size() >= kLongList) table.use_huge_pages();
  table.n = 0;
  if (first_lines != nullptr) first_lines->clear();
  // Each record is read straight into the next slot; one that the file ends
  // in the middle of is left there uncounted.
  while (true) {
    reader.read_plain(table, first_lines);
    if (table.n == table.capacity()) break;
    const std::int32_t slot = table.n;
    if (!reader.read({table.id[slot], table.orgao[slot], table.lon[slot], table.lat[slot], table.prec[slot]})) {
      return;
    }
    if (first_lines != nullptr) first_lines->push_back(reader.first_line());
    ++table.n;
  }
  StationRecord beyond;
  if (reader.read({beyond.id, beyond.orgao, beyond.lon, beyond.lat, beyond.prec})) {
    const std::string capacity = std::to_string(table.capacity());
    throw FatalError(name + ":" + std::to_string(reader.first_line()) + ": more than " + capacity +
                     " records; the table holds at most " + capacity +
                     (table.capacity() < kLargestCapacity ? " (--max-records N raises the limit)" : ""));
  }
}

}  // namespace

void StationListReader::read(const std::string& name, StationTable& table, FirstLines* first_lines) {
  ListFile file(name);
  try {
    read_content(file.content(), name, table, first_lines);
  } catch (const FatalError&) {
    // What is wrong in a list cut short may be only the cut.
    file.check_whole();
    throw;
  }
  file.check_whole();
}

void StationListReader::read_content(std::string_view content, const std::string& name,
                                     StationTable& table, FirstLines* first_lines) {
  try {
    read_records(content, name, table, first_lines);
  } catch (const FatalError& error) {
    if (table.n != 0 || !starts_like_an_export(content)) throw;
    throw FatalError(std::string(error.what()) +
                     "; semicolons do not separate values: see \"Preparing a list from common exports\" in the README");
  }
}

}  // namespace dedup
