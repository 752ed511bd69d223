#pragma once

#include <string>
#include <string_view>

#include "extract/row_table.h"
#include "runtime/int16.h"

namespace torvane {

/// Reads the data file at `path` into `rows`, replacing what they held, and returns the row
/// count.
///
/// The heading count H is the lenient value of `heading_text`, rounded half to even; H lines
/// are skipped (none when H <= 0). Every later line, up to the end of the file, is a row. A row
/// is split at its delimiter: the first character whose code is below 33 or above 122 (a
/// control character, the space, "{", "|", "}", "~", code 127 and up, any double-byte
/// character). The X text is what precedes the delimiter, the Y text everything after it; the
/// delimiter belongs to neither. A line without a delimiter, an empty one included, still
/// counts as a row but holds no texts.
///
/// Failures name the file by `display_name` and, where a line is concerned, its line number in
/// the file: FileNotFound or OpenFailed when it cannot be opened; Overflow for a heading count
/// outside -32768..32767, for a 32768th row line, or for a row line over 32767 characters;
/// InputPastEndOfFile when the file has fewer than H lines.
Int16 ReadDataFile(const std::string& path, const std::string& display_name,
                   std::string_view heading_text, RowTable& rows);

}  // namespace torvane
