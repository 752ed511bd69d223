#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "extract/reader.h"
#include "runtime/failure.h"
#include "runtime/numeric.h"

namespace torvane {

/// The inputs of one batch run: the data files and the texts typed into the window or given on
/// the command line (UTF-8).
struct BatchRequest {
  std::string folder_path;         ///< the data folder
  std::vector<std::string> names;  ///< data file names, in run order
  std::string heading_text;        ///< number of heading lines: lenient value, half to even
  std::string start_text;          ///< X_start: strict numeric value
  std::string end_text;            ///< X_end: strict numeric value
  bool peak = true;                ///< FindMax; otherwise FindMin
  NumberStyle style;
};

/// How a batch run goes about its work.
struct RunOptions {
  /// Files read at the same time (at least 1); the outcomes keep the run order.
  int jobs = 1;
  /// A file that fails is recorded in its outcome instead of ending the run.
  bool keep_going = false;
  /// Called now and then, from the calling thread, with the number of files done.
  std::function<void(std::size_t done)> progress;
};

/// What became of one data file.
struct FileOutcome {
  std::string name;  ///< the name as catalogued (UTF-8)
  FileResult result;
  std::optional<Failure> failure;  ///< only with keep_going: the file was left out
};

/// Reads and searches every file of `request`. Without keep_going the first failure in run
/// order ends the run and is raised; that is the earliest failing file's, and a range end that
/// is not a number fails after the first file has been read (X_end is converted before
/// X_start), so with no file at all the range is never needed. With keep_going a range end that
/// is not a number is still raised, before any file is read.
std::vector<FileOutcome> CollectResults(const BatchRequest& request, const RunOptions& options);

/// How the names and texts of a summary are written.
enum class TextEncoding { Cp936, Utf8 };

/// The catalogued name less its last four characters (its ".txt"), with every control
/// character as "?", in `encoding` (characters code page 936 lacks are "?" there too).
std::string BaseName(const std::string& name, TextEncoding encoding);

/// A data file's text (code page 936 bytes, as read) in `encoding`.
std::string TextIn(const std::string& cp936, TextEncoding encoding);

/// The summary as the window writes it: per file, in run order, its base name, a tab, the
/// chosen X text, a tab and the Y text (or nothing when no row was in range), then CR LF. Files
/// left out by keep_going have no line.
std::string TabSeparatedSummary(const std::vector<FileOutcome>& outcomes, TextEncoding encoding);

/// A summary's lines: the outcomes not left out.
long SummaryLines(const std::vector<FileOutcome>& outcomes);

}  // namespace torvane
