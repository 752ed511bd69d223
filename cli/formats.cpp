#include "cli/formats.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "extract/notes.h"

namespace torvane::batch {
namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string CsvSummary(const std::vector<FileOutcome>& outcomes, TextEncoding encoding) {
  std::string csv = "file,x,y\r\n";
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.failure) continue;
    const FileResult& result = outcome.result;
    csv += CsvField(BaseName(outcome.name, encoding));
    csv += ',';
    if (result.found) csv += CsvField(TextIn(result.row.x, encoding));
    csv += ',';
    if (result.found) csv += CsvField(TextIn(result.row.y, encoding));
    csv += "\r\n";
  }
  return csv;
}

std::string JsonSummary(const std::vector<FileOutcome>& outcomes, NumberStyle style) {
  using Json = nlohmann::ordered_json;
  auto number = [](double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); };
  Json files = Json::array();
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.failure) continue;
    const FileResult& result = outcome.result;
    Json file = {{"file", outcome.name}, {"x", nullptr},       {"y", nullptr},
                 {"x_value", nullptr},   {"y_value", nullptr}, {"line", nullptr}};
    if (result.found) {
      file["x"] = TextIn(result.row.x, TextEncoding::Utf8);
      file["y"] = TextIn(result.row.y, TextEncoding::Utf8);
      file["x_value"] = number(result.row.x_value);
      file["y_value"] = number(result.row.y_value);
      file["line"] = result.row.line;
    }
    Json& warnings = file["warnings"] = Json::array();
    for (const Note& note : NotesOn(outcome.name, result, style)) warnings.push_back(note.text);
    files.push_back(std::move(file));
  }
  // A name that is not valid UTF-8 (possible on POSIX) has its bad bytes replaced.
  return files.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace torvane::batch
