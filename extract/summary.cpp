#include "extract/summary.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "runtime/cp936.h"
#include "runtime/failure.h"

namespace torvane {
namespace {

// A data file's text (code page 936 bytes, as read) in `encoding`.
std::string TextIn(const std::string& cp936, TextEncoding encoding) {
  return encoding == TextEncoding::Cp936 ? cp936 : Cp936ToUtf8(cp936);
}

std::string TabSeparated(const std::vector<FileOutcome>& outcomes, TextEncoding encoding) {
  std::string summary;
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.failure) continue;
    summary += BaseName(outcome.name, encoding);
    summary += '\t';
    if (outcome.result.found) {
      summary += TextIn(outcome.result.row.x, encoding);
      summary += '\t';
      summary += TextIn(outcome.result.row.y, encoding);
    }
    summary += "\r\n";
  }
  return summary;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Csv(const std::vector<FileOutcome>& outcomes, TextEncoding encoding) {
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

std::string Json(const std::vector<FileOutcome>& outcomes) {
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
    for (const Note& note : outcome.notes) warnings.push_back(note.text);
    files.push_back(std::move(file));
  }
  // A name that is not valid UTF-8 (possible on POSIX) has its bad bytes replaced.
  return files.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string SummaryText(const std::vector<FileOutcome>& outcomes, SummaryFormat format,
                        TextEncoding encoding) {
  switch (format) {
    case SummaryFormat::Csv:
      return Csv(outcomes, encoding);
    case SummaryFormat::Json:
      return Json(outcomes);
    case SummaryFormat::TabSeparated:
      break;
  }
  return TabSeparated(outcomes, encoding);
}

std::string SummaryExtension(SummaryFormat format) {
  switch (format) {
    case SummaryFormat::Csv:
      return ".csv";
    case SummaryFormat::Json:
      return ".json";
    case SummaryFormat::TabSeparated:
      break;
  }
  return ".txt";
}

long SummaryLines(const std::vector<FileOutcome>& outcomes) {
  return static_cast<long>(std::count_if(outcomes.begin(), outcomes.end(),
                                         [](const FileOutcome& o) { return !o.failure; }));
}

std::string WindowSummaryFile(const std::string& name) {
  if (name.empty()) throw Failure(FailureKind::InvalidArgument, "要保存的文件名为空");
  return name + ".txt";
}

std::string BaseName(const std::string& name, TextEncoding encoding) {
  std::string base = name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
  for (char& c : base) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  }
  return encoding == TextEncoding::Cp936 ? Utf8ToCp936(base) : base;
}

}  // namespace torvane
