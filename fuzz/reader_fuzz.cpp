// Feeds arbitrary bytes to the data file reader, the range search and both numeric conversions,
// and checks each against a plain reference written from their contracts: lines split first,
// then each row split, then the two-pass search (the extreme first, then the last row reaching
// it).
//
// Input: byte 0 picks the heading count (0..3), byte 1 bit 0 with byte 2 bits 4 and 5 puts a
// heading line in front that ends just before the end of the reader's first block (byte 2's low
// bits move it by 0..15), byte 1 bit 1 reads with decimal commas, bit 2 puts a UTF-8 byte order
// mark in front; bytes 3 and 4 are the range ends (signed, halved); the rest is the data file's
// content.

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/reader.h"
#include "runtime/cp936.h"
#include "runtime/failure.h"
#include "runtime/numeric.h"

namespace {

using torvane::Failure;
using torvane::FailureKind;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "mismatch: %s\n", what);
  std::abort();
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the longest prefix of `s` that is a decimal number: sign, digits with at most one
// point and at least one digit, then an exponent when it has digits. 0 when there is none.
std::size_t NumberPrefix(std::string_view s) {
  std::size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// strtod of a plain decimal number; results below the normal range may also read as 0.
bool SameNumber(double got, const std::string& number) {
  double want = std::strtod(number.c_str(), nullptr);
  if (got == want) return true;
  return std::fabs(want) < 2.2250738585072014e-308 && got == 0.0;
}

void CheckLenient(std::string_view text, torvane::NumberStyle style = {}) {
  std::string squeezed;  // blanks are skipped anywhere inside the number
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') squeezed += c;
  }
  if (style.decimal_comma) {
    // A comma serves as the point: where the point would be, it reads as one.
    std::size_t point = squeezed.find_first_of(".,");
    if (point != std::string::npos) squeezed[point] = '.';
  }
  std::size_t n = NumberPrefix(squeezed);
  double got = torvane::LenientValue(text, style);
  if (n == 0 ? got != 0.0 : !SameNumber(got, squeezed.substr(0, n))) Fail("LenientValue");
}

void CheckStrict(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  std::string core(text.substr(begin, end - begin));
  bool number = !core.empty() && NumberPrefix(core) == core.size();
  try {
    double got = torvane::StrictValue(text);
    if (!number || !SameNumber(got, core)) Fail("StrictValue accepted");
  } catch (const Failure& failure) {
    if (number || failure.kind() != FailureKind::TypeMismatch) Fail("StrictValue refused");
  }
}

struct RefRow {
  bool split;
  std::string_view x, y;
  long line;
};

// Lines end at CR LF, CR or LF; a last line without terminator counts.
std::vector<std::string_view> SplitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r' && content[i] != '\n') continue;
    lines.push_back(content.substr(start, i - start));
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < content.size()) lines.push_back(content.substr(start));
  return lines;
}

RefRow SplitRow(std::string_view line, bool semicolon_splits) {
  for (std::size_t k = 0; k < line.size(); ++k) {
    int16_t code = torvane::CharCode(line, k);
    if (code < 33 || code > 122 || (semicolon_splits && code == ';')) {
      return {true, line.substr(0, k), line.substr(k + torvane::CharWidth(line, k)), 0};
    }
    k += torvane::CharWidth(line, k) - 1;
  }
  return {false, {}, {}, 0};
}

// The two-pass search over the rows that have texts.
const RefRow* ReferenceSearch(const std::vector<RefRow>& rows, double lo, double hi, bool peak,
                              torvane::NumberStyle style) {
  auto in_range = [&](const RefRow& row) {
    double x = torvane::LenientValue(row.x, style);
    return row.split && x >= lo && x <= hi;
  };
  double m = 0;
  for (const RefRow& row : rows) {
    if (in_range(row)) m = torvane::LenientValue(row.y, style);
  }
  const RefRow* chosen = nullptr;
  for (const RefRow& row : rows) {
    double y = torvane::LenientValue(row.y, style);
    if (in_range(row) && (peak ? y >= m : y <= m)) {
      m = y;
      chosen = &row;
    }
  }
  return chosen;
}

int DataFile() {
  static int fd = memfd_create("data", 0);
  if (fd < 0) Fail("memfd_create");
  return fd;
}

// Reads the file with one search and checks the result against the reference.
void CheckSearch(const std::string& path, long headings, const std::vector<RefRow>& want, double lo,
                 double hi, bool peak, torvane::NumberStyle style) {
  static torvane::ReadBuffer buffer;
  torvane::RangeSearch search = peak ? torvane::FindMax(lo, hi) : torvane::FindMin(lo, hi);
  torvane::FileResult got =
      torvane::ReadDataFile(path, "data.txt", std::to_string(headings), &search, style, buffer);
  if (got.rows != static_cast<long>(want.size())) Fail("row count");
  long split = 0;
  for (const RefRow& row : want) split += row.split;
  if (got.rows_with_texts != split) Fail("rows with texts");
  const RefRow* chosen = ReferenceSearch(want, lo, hi, peak, style);
  if (got.found != (chosen != nullptr)) Fail("found");
  if (!chosen) return;
  if (got.row.x != chosen->x || got.row.y != chosen->y) Fail("chosen texts");
  if (got.row.line != chosen->line) Fail("chosen line");
  if (got.row.x_value != torvane::LenientValue(chosen->x, style) ||
      got.row.y_value != torvane::LenientValue(chosen->y, style)) {
    Fail("chosen values");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  long headings = data[0] % 4;
  torvane::NumberStyle style{(data[1] & 2) != 0};
  std::string content;
  if (data[1] & 4) content = "\xEF\xBB\xBF";
  if ((data[1] & 1) && (data[2] & 0x30) == 0x30) {
    content.append(torvane::ReadBuffer::kCapacity - 1 - data[2] % 16 - content.size(), 'h');
    content += '\n';
    ++headings;
  }
  double lo = static_cast<int8_t>(data[3]) / 2.0;
  double hi = static_cast<int8_t>(data[4]) / 2.0;
  std::string_view body(reinterpret_cast<const char*>(data) + 5, size - 5);
  content.append(body);

  CheckLenient(body);
  CheckLenient(body, style);
  CheckStrict(body);

  int fd = DataFile();
  if (ftruncate(fd, 0) != 0 ||
      pwrite(fd, content.data(), content.size(), 0) != static_cast<ssize_t>(content.size())) {
    Fail("write");
  }
  std::string path = "/proc/self/fd/" + std::to_string(fd);

  std::string_view text(content);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines = SplitLines(text);
  std::vector<RefRow> want;
  for (std::size_t i = headings; i < lines.size(); ++i) {
    want.push_back(SplitRow(lines[i], style.decimal_comma));
    want.back().line = static_cast<long>(i) + 1;
  }
  try {
    CheckSearch(path, headings, want, lo, hi, true, style);
  } catch (const Failure& failure) {
    if (failure.kind() != FailureKind::InputPastEndOfFile ||
        static_cast<long>(lines.size()) >= headings) {
      Fail("reader failed");
    }
    return 0;
  }
  if (static_cast<long>(lines.size()) < headings) Fail("reader read past the end");
  CheckSearch(path, headings, want, lo, hi, false, style);
  for (const RefRow& row : want) {
    if (!row.split) continue;
    CheckLenient(row.x, style);
    CheckLenient(row.y, style);
    CheckStrict(row.x);
  }
  return 0;
}
