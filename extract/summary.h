#pragma once

#include <string>
#include <vector>

#include "extract/batch_run.h"

namespace torvane {

/// How the names and texts of a summary are written.
enum class TextEncoding { Cp936, Utf8 };

/// The forms a summary takes.
enum class SummaryFormat {
  /// As the window writes it: per file, in run order, its base name, a tab, the chosen X text, a
  /// tab and the Y text (or nothing after the first tab when no row was in range), then CR LF.
  TabSeparated,
  /// CSV (RFC 4180): a header row "file,x,y", then per file, in run order, its base name, the
  /// chosen X text and the Y text (both empty when no row was in range), each line ending in
  /// CR LF. A field holding a comma, a double quote, CR or LF is put in double quotes, its
  /// quotes doubled.
  Csv,
  /// A JSON array (always UTF-8, LF line ends), one object per file in run order: "file" (the
  /// file's name), "x" and "y" (the chosen texts as written), "x_value" and "y_value" (the values
  /// they were compared as; null for infinity), "line" (the row's line number in the file), the
  /// last five null when no row was in range, and "warnings" (the texts of the file's notes).
  Json,
};

/// The summary of `outcomes` in `format`, its names and texts in `encoding` (Json: always
/// UTF-8). Files left out by keep_going have no line, row or object.
std::string SummaryText(const std::vector<FileOutcome>& outcomes, SummaryFormat format,
                        TextEncoding encoding);

/// A summary file's extension in `format`: ".txt", ".csv" or ".json".
std::string SummaryExtension(SummaryFormat format);

/// A summary's lines: the outcomes not left out.
long SummaryLines(const std::vector<FileOutcome>& outcomes);

/// The window's summary file for the name typed in step 5: the name followed by ".txt", taken
/// as a path against the current directory. InvalidArgument "要保存的文件名为空" for an empty
/// name.
std::string WindowSummaryFile(const std::string& name);

/// The catalogued name less its last four characters (its ".txt"), with every control
/// character as "?", in `encoding` (characters code page 936 lacks are "?" there too).
std::string BaseName(const std::string& name, TextEncoding encoding);

}  // namespace torvane
