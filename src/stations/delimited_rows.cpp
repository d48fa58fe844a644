#include "stations/delimited_rows.h"

#include <bit>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "util/digits.h"

namespace dedup {
namespace {

// Sixteen bytes side by side, compared all at once by the compiler's vector
// extension (one SSE2 or NEON comparison per byte value).
typedef unsigned char Block __attribute__((vector_size(16)));

// Bit i set where byte i of the flags (each 0 or 0xFF) is set: SSE2's
// movemask where the target has it, elsewhere each half's by a multiplication.
template <typename Flags>
[[gnu::always_inline]] inline std::uint32_t gathered(const Flags& flags) {
#if defined(__SSE2__)
  return static_cast<std::uint32_t>(_mm_movemask_epi8(std::bit_cast<__m128i>(flags)));
#else
  const char* const bytes = reinterpret_cast<const char*>(&flags);
  return swar::gathered_high_bits(swar::load_word(bytes)) |
         swar::gathered_high_bits(swar::load_word(bytes + sizeof(std::uint64_t))) << 8;
#endif
}

// The stops of a content: bit i set where byte at + i is the delimiter, a
// quotation mark or a line end byte, for the kStopBlock bytes from `at`;
// none past the end. Made per row as a local, with the delimiter already
// spread over a block, so that the compiler keeps it in registers across
// the stores of the cells.
class StopFinder {
 public:
  static constexpr std::size_t kStopBlock = 16;

  StopFinder(std::string_view content, char delimiter)
      : data_(content.data()), size_(content.size()), delimiter_(Block{} + static_cast<unsigned char>(delimiter)) {}

  [[gnu::always_inline]] std::uint32_t at(std::size_t at) const {
    if (at + kStopBlock > size_) return near_end(data_, size_, at, delimiter_);
    return in(data_ + at, delimiter_);
  }

 private:
  [[gnu::always_inline]] static std::uint32_t in(const char* bytes, Block delimiter) {
    Block block;
    std::memcpy(&block, bytes, sizeof block);
    return gathered((block == delimiter) | (block == '"') | (block == '\n') | (block == '\r'));
  }
  [[gnu::noinline]] static std::uint32_t near_end(const char* data, std::size_t size, std::size_t at,
                                                  Block delimiter) {
    if (at >= size) return 0;
    // Zero bytes past the end are no stops.
    char bytes[kStopBlock] = {};
    std::memcpy(bytes, data + at, size - at);
    return in(bytes, delimiter);
  }

  const char* data_;
  std::size_t size_;
  Block delimiter_;
};

}  // namespace

std::string_view cell_text(const DelimitedCell& cell, std::string& scratch) {
  if (!cell.doubled_quotes) return cell.text;
  scratch.clear();
  for (std::size_t at = 0; at < cell.text.size(); ++at) {
    scratch += cell.text[at];
    if (cell.text[at] == '"') ++at;
  }
  return scratch;
}

DelimitedRows::DelimitedRows(std::string_view content, std::size_t start, std::int64_t line, char delimiter,
                             std::vector<std::size_t> kept)
    : content_(content),
      pos_(start),
      line_(line),
      delimiter_(delimiter),
      kept_(std::move(kept)) {
  if (!kept_.empty()) kept_.push_back(SIZE_MAX);
}

void DelimitedRows::skip_line_end() {
  if (pos_ >= content_.size()) return;
  if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

DelimitedRows::Status DelimitedRows::read_quoted(std::size_t open, DelimitedCell& cell, std::size_t& end) {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  const std::size_t start = open + 1;
  const std::int64_t open_line = line_;
  std::size_t at = start;
  // The closing quote, eight bytes at a time while eight remain, stopping
  // at each quotation mark and at each byte below 14 (line ends, to count).
  while (true) {
    if (at + sizeof(std::uint64_t) <= size) {
      const std::uint64_t word = swar::load_word(data + at);
      // Bytes below 14 hold tab and both line end bytes.
      const std::uint64_t stops = swar::bytes_equal(word, '"') | swar::bytes_below(word, 14);
      if (stops == 0) {
        at += sizeof(std::uint64_t);
        continue;
      }
      at += static_cast<std::size_t>(std::countr_zero(stops)) / 8;
    } else if (at == size) {
      fault_line_ = open_line;
      return Status::kUnclosedQuote;
    }
    const char c = data[at++];
    if (c == '"') {
      if (at == size || data[at] != '"') break;
      cell.doubled_quotes = true;
      ++at;
    } else if (c == '\n' || (c == '\r' && (at == size || data[at] != '\n'))) {
      ++line_;
      cell.line_end = true;
    }
  }
  cell.quoted = true;
  cell.text = content_.substr(start, at - 1 - start);
  end = at;
  while (end < size && is_blank(data[end])) ++end;
  if (end < size && !ends_cell(data[end])) {
    fault_line_ = line_;
    return Status::kTextAfterQuote;
  }
  return Status::kRow;
}

DelimitedRows::Status DelimitedRows::next(DelimitedRow& row) {
  if (kept_.empty()) {
    row.cells.clear();
  } else {
    row.cells.resize(kept_.size() - 1);
  }
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  while (true) {
    std::size_t at = pos_;
    while (at < size && is_blank(data[at])) ++at;
    if (at == size) {
      pos_ = size;
      return Status::kEnd;
    }
    if (data[at] != '\n' && data[at] != '\r') break;
    pos_ = at;
    skip_line_end();
  }
  row_begin_ = pos_;
  row_line_ = line_;
  row.line_end = false;
  const char delimiter = delimiter_;
  const bool keep_all = kept_.empty();
  const std::size_t* const kept_fields = kept_.data();
  DelimitedCell* const cells = row.cells.data();
  std::size_t field = 0;
  std::size_t kept = 0;
  std::size_t next_kept = keep_all ? 0 : kept_fields[0];
  // Keeps the cell of the field, which is asked for.
  const auto keep = [&](const DelimitedCell& cell) {
    if (keep_all) {
      row.cells.push_back(cell);
      next_kept = field + 1;
    } else {
      cells[kept] = cell;
      next_kept = kept_fields[++kept];
    }
  };
  std::size_t cell_start = pos_;
  DelimitedCell last;
  // Every delimiter, quotation mark and line end of the row found sixteen
  // bytes at a time, each block's flags then taken lowest first (the
  // structural index of Langdale and Lemire's simdjson).
  const StopFinder finder(content_, delimiter);
  constexpr std::size_t kStopBlock = StopFinder::kStopBlock;
  std::size_t word_at = pos_;
  std::uint32_t stops = finder.at(word_at);
  while (true) {
    if (stops == 0) {
      word_at += kStopBlock;
      if (word_at < size) {
        stops = finder.at(word_at);
        continue;
      }
      last = {std::string_view(data + cell_start, size - cell_start)};
      pos_ = size;
      break;
    }
    const std::size_t at = word_at + static_cast<std::size_t>(std::countr_zero(stops));
    stops &= stops - 1;
    const char c = data[at];
    if (c == delimiter) {
      if (field == next_kept) keep({std::string_view(data + cell_start, at - cell_start)});
      ++field;
      cell_start = at + 1;
    } else if (c == '"') {
      // A quotation mark opens a quoted cell only as its first byte after
      // blanks; elsewhere it is an ordinary byte.
      std::size_t first = cell_start;
      while (is_blank(data[first])) ++first;
      if (first != at) continue;
      last = {};
      std::size_t end = 0;
      // Most often the closing quote is the next stop, right before the end
      // of the cell (no line end and no "" lies between): the block is read
      // anew from past the opening quote to hold the cell's first bytes.
      word_at = at + 1;
      stops = finder.at(word_at);
      const std::size_t close = stops != 0 ? word_at + static_cast<std::size_t>(std::countr_zero(stops)) : size;
      if (close + 1 < size && data[close] == '"' && ends_cell(data[close + 1])) {
        last = {content_.substr(at + 1, close - at - 1), true};
        end = close + 1;
      } else if (const Status status = read_quoted(at, last, end); status != Status::kRow) {
        fault_field_ = field;
        return status;
      } else {
        row.line_end |= last.line_end;
      }
      if (end == size || data[end] != delimiter) {
        pos_ = end;
        break;
      }
      if (field == next_kept) keep(last);
      ++field;
      cell_start = end + 1;
      // On from the next cell: the rest of this block, or a new one.
      if (cell_start < word_at + kStopBlock) {
        stops &= ~std::uint32_t{0} << (cell_start - word_at);
      } else {
        word_at = cell_start;
        stops = finder.at(word_at);
      }
    } else if (c == '\n' || c == '\r') {
      last = {std::string_view(data + cell_start, at - cell_start)};
      pos_ = at;
      break;
    }
  }
  if (field == next_kept) keep(last);
  row.fields = field + 1;
  row.trailing_empty = !last.quoted && last.text.empty();
  skip_line_end();
  row_end_ = pos_;
  return Status::kRow;
}

}  // namespace dedup
