#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "extract/notes.h"
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
  /// The file the summary is written to, as the writer will open it (a relative path against
  /// the current directory); empty for none. RunBatch reads no data file that is this file.
  std::string summary_path;
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
  std::vector<Note> notes;         ///< what to look at in the result (NotesOn), then whether
                                   ///< the file looks like a summary written earlier
};

/// Reads and searches every file of `request`, and notes on each result. Without keep_going the
/// first failure in run order ends the run and is raised; that is the earliest failing file's,
/// and a range end that is not a number, or a start above the end, fails after the first file
/// has been read (X_end is converted before X_start), so with no file at all the range is never
/// needed. With keep_going a wrong range is still raised, before any file is read.
///
/// A file read without failure looks like a summary written earlier when its rows (the lines
/// past the heading lines) are at least one, each of exactly three fields split by tabs, and the
/// first field of one of them is the base name (in code page 936 or UTF-8) of another of
/// `request.names`: its outcome then ends with a note saying so.
std::vector<FileOutcome> CollectResults(const BatchRequest& request, const RunOptions& options);

/// A run as the front ends make it.
struct BatchRun {
  std::vector<FileOutcome> outcomes;  ///< the data files read, in run order
  std::vector<Note> notes;            ///< about the run as a whole: the data file left out, if any
};

/// CollectResults over the names of `request` less the one data file that is the file at
/// `request.summary_path` (the same file, whatever the path or link that leads to it), which is
/// left out with a note: the run never reads the file it writes.
BatchRun RunBatch(BatchRequest request, const RunOptions& options);

}  // namespace torvane
