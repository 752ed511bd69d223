#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "extract/row_table.h"

namespace torvane {

/// What one batch run reads from the window. Texts are UTF-8, as the controls hold them.
struct BatchRequest {
  std::string folder_path;  ///< the data folder
  const Catalogue& catalogue;
  std::string heading_text;  ///< Text2: the number of heading lines of every data file
  std::string start_text;    ///< Text3: X_start, strict numeric value
  std::string end_text;      ///< Text4: X_end, strict numeric value
  bool peak;                 ///< Option1: FindMax; otherwise FindMin
  std::string summary_name;  ///< Text5: the summary file is this followed by ".txt"
};

/// Reads every catalogued data file, in catalogue order, into `rows` (one file at a time),
/// searches it, and returns the summary's bytes: per file its base name (the catalogued name less
/// its last four characters, in code page 936), a tab, the search result and CR LF. The range
/// ends are converted after each file is read, so with no catalogued file they are not needed.
///
/// The first failure ends the run: any failure of ReadDataFile; TypeMismatch for a range end
/// that is not a number; TooManyDataFiles, before any file is read, when the catalogue counted
/// more names than it stores.
std::string CollectReport(const BatchRequest& request, RowTable& rows);

/// CollectReport, then the summary file (summary_name followed by ".txt", relative to the
/// current directory) gets exactly the report's bytes, all or nothing. A failure anywhere leaves
/// an existing summary file as it was.
void RunBatch(const BatchRequest& request, RowTable& rows);

}  // namespace torvane
