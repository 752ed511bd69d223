#pragma once

#include <string>
#include <vector>

#include "extract/batch_run.h"
#include "runtime/numeric.h"

namespace torvane::batch {

/// The summary as CSV (RFC 4180): a header row "file,x,y", then per file, in run order, its
/// base name, the chosen X text and the Y text (both empty when no row was in range), each line
/// ending in CR LF. A field holding a comma, a double quote, CR or LF is put in double quotes,
/// its quotes doubled. Files left out by keep_going have no row.
std::string CsvSummary(const std::vector<FileOutcome>& outcomes, TextEncoding encoding);

/// The summary as a JSON array (UTF-8, LF line ends), one object per file in run order:
/// "file" (the file's name), "x" and "y" (the chosen texts as written), "x_value" and
/// "y_value" (the values they were compared as; null for infinity), "line" (the row's line
/// number in the file), the last five null when no row was in range, and "warnings" (the notes
/// on the file's result, as texts). Files left out by keep_going have no object.
std::string JsonSummary(const std::vector<FileOutcome>& outcomes, NumberStyle style);

}  // namespace torvane::batch
