#include "extract/reader.h"

#include "runtime/cp936.h"
#include "runtime/failure.h"
#include "runtime/input_file.h"
#include "runtime/numeric.h"

namespace torvane {
namespace {

// Position of the first byte outside 33..122, or the line's size. Every byte of a double-byte
// character is 0x40 or above and its lead byte is above 122, so the first such byte always
// starts a character.
std::size_t FindDelimiter(std::string_view line) {
  std::size_t k = 0;
  while (k < line.size() && static_cast<unsigned char>(line[k]) - 33u <= 122u - 33u) ++k;
  return k;
}

}  // namespace

Int16 ReadDataFile(const std::string& path, const std::string& display_name,
                   std::string_view heading_text, RowTable& rows) {
  InputFile file(path, display_name);
  long headings;
  try {
    headings = RoundToInt16(LenientValue(heading_text)).value();
  } catch (const Failure& failure) {
    throw Failure(failure.kind(), "标题行数超出范围", display_name);
  }
  for (long i = 0; i < headings; ++i) file.ReadLine();

  rows.Clear();
  while (!file.AtEnd()) {
    std::string_view line = file.ReadLine();
    auto fail = [&](const char* detail) {
      return Failure(FailureKind::Overflow, detail, display_name, file.lines_read());
    };
    if (rows.RowCount().value() == INT16_MAX) throw fail("数据行超过 32767 行");
    // A line of at most 32767 bytes has at most 32767 characters.
    if (line.size() > INT16_MAX) {
      try {
        CharLength16(line);
      } catch (const Failure&) {
        throw fail("一行超过 32767 个字符");
      }
    }
    std::size_t k = FindDelimiter(line);
    if (k == line.size()) {
      rows.AppendUnsplit();
      continue;
    }
    std::string_view x = line.substr(0, k);
    std::string_view y = line.substr(k + CharWidth(line, k));
    rows.AppendSplit(line, x.size(), y.size(), LenientValue(x), LenientValue(y));
  }
  return rows.RowCount();
}

}  // namespace torvane
