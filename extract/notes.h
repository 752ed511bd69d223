#pragma once

#include <string>
#include <vector>

#include "extract/reader.h"
#include "runtime/numeric.h"

namespace torvane {

/// Something in a file's result that the user should look at, though the run succeeded.
struct Note {
  std::string file;  ///< the data file's name (UTF-8); empty for a note on the run as a whole
  long line = 0;     ///< the line the note is about; 0 for the whole file
  std::string text;  ///< what is suspect, in plain Chinese (UTF-8)
};

/// The notes on one file's result: no X and Y in its summary line (no row in range, no row at
/// all, or no row with two columns), or a chosen X or Y text that is not wholly a number or
/// that looks written with a decimal comma, saying the value it was compared as.
std::vector<Note> NotesOn(const std::string& file, const FileResult& result, NumberStyle style);

/// The note as one line: the file and the line number where there are such, then the text.
std::string NoteLine(const Note& note);

}  // namespace torvane
