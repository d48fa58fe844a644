#include "stations/station_list_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>

#include "stations/fatal_error.h"
#include "stations/number_text.h"
#include "stations/value_scanner.h"

namespace dedup {
namespace {

constexpr const char* kFieldNames[] = {"identifier", "agency", "longitude", "latitude",
                                       "precipitation"};
constexpr int kFieldCount = 5;
constexpr int kFirstNumericField = 2;

std::string read_whole_file(const std::string& name) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(name.c_str(), "rb"));
  if (!file) throw FatalError(name + ": cannot open the station list: " + std::strerror(errno));
  // Room for the whole file at once where its size is known; reading goes on
  // to the end in any case, for files whose size says nothing (pipes, /proc).
  std::error_code no_size;
  const std::uintmax_t size = std::filesystem::file_size(name, no_size);
  std::string content(no_size ? 0 : static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  constexpr std::size_t kChunk = 1 << 16;
  while (true) {
    if (content.size() - filled < kChunk) content.resize(filled + kChunk);
    const std::size_t got = std::fread(content.data() + filled, 1, content.size() - filled, file.get());
    filled += got;
    if (got == 0) break;
  }
  content.resize(filled);
  if (std::ferror(file.get())) {
    throw FatalError(name + ": cannot read the station list: " + std::strerror(errno));
  }
  if (std::fclose(file.release()) != 0) {
    throw FatalError(name + ": cannot close the station list: " + std::strerror(errno));
  }
  return content;
}

// The whole list in memory; a list too large for it is a failure that names
// the file like any other.
std::string whole_file(const std::string& name) {
  try {
    return read_whole_file(name);
  } catch (const std::bad_alloc&) {
    throw FatalError(name + ": cannot read the station list: too large to hold in memory");
  } catch (const std::length_error&) {
    throw FatalError(name + ": cannot read the station list: too large to hold in memory");
  }
}

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

class RecordReader {
 public:
  RecordReader(const std::string& name, std::string_view content)
      : name_(name), scanner_(content, name) {}

  // Reads the next record; false when the file ends before it is complete.
  bool read(StationRecord& record) {
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

  static IdText& text_field(StationRecord& record, int field) {
    return field == 0 ? record.id : record.orgao;
  }

  static float& number_field(StationRecord& record, int field) {
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

}  // namespace

void StationListReader::read(const std::string& name, StationTable& table) {
  read_content(whole_file(name), name, table);
}

void StationListReader::read_content(std::string_view content, const std::string& name,
                                     StationTable& table) {
  RecordReader reader(name, content);
  StationRecord record;
  table.n = 0;
  while (true) {
    if (!reader.read(record)) break;
    if (table.n == kMaxStations) {
      throw FatalError(name + ":" + std::to_string(reader.first_line()) + ": more than " +
                       std::to_string(kMaxStations) + " records; the table holds at most " +
                       std::to_string(kMaxStations));
    }
    table.store(table.n, record);
    ++table.n;
  }
}

}  // namespace dedup
