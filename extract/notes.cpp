#include "extract/notes.h"

#include <charconv>

#include "runtime/cp936.h"

namespace torvane {
namespace {

// The shortest text that reads back as `value`.
std::string Shortest(double value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

// Whether `text` begins with a number whose point is a comma: digits, ",", a digit.
bool LooksLikeDecimalComma(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i != std::string::npos && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  return i > digits && i + 1 < text.size() && text[i] == ',' && text[i + 1] >= '0' &&
         text[i + 1] <= '9';
}

void NoteOnText(std::vector<Note>& notes, const std::string& file, long line, const char* which,
                const std::string& text, double value, NumberStyle style) {
  const std::string quoted = "“" + Cp936ToUtf8(text) + "”";
  if (!style.decimal_comma && LooksLikeDecimalComma(text)) {
    notes.push_back({file, line,
                     std::string(which) + " 值" + quoted + "像是用逗号作小数点，按 " +
                         Shortest(value) + " 比较"});
  } else if (!IsWholeNumber(text, style)) {
    notes.push_back(
        {file, line,
         std::string(which) + " 值" + quoted + "不是一个数，按 " + Shortest(value) + " 比较"});
  }
}

}  // namespace

std::vector<Note> NotesOn(const std::string& file, const FileResult& result, NumberStyle style) {
  std::vector<Note> notes;
  if (!result.found) {
    const char* why = result.rows == 0 ? "没有数据行，汇总中没有 X 和 Y"
                      : result.rows_with_texts == 0
                          ? "没有一行分得出 X 和 Y 两列，可能不是两列的数据文件"
                          : "横坐标范围内没有数据行，汇总中没有 X 和 Y";
    notes.push_back({file, 0, why});
    return notes;
  }
  const ChosenRow& row = result.row;
  NoteOnText(notes, file, row.line, "X", row.x, row.x_value, style);
  NoteOnText(notes, file, row.line, "Y", row.y, row.y_value, style);
  return notes;
}

std::string NoteLine(const Note& note) {
  if (note.file.empty()) return note.text;
  std::string line = note.file;
  if (note.line > 0) line += " 第 " + std::to_string(note.line) + " 行";
  return line + "：" + note.text;
}

}  // namespace torvane
