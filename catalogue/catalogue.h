#pragma once

#include <string>
#include <vector>

#include "runtime/directory.h"
#include "runtime/fixed_array.h"
#include "runtime/int16.h"

namespace torvane {

/// The data files a batch run of the window works through, first to last.
struct Catalogue {
  static constexpr long kCapacity = 200;

  /// Bare names (with extension, without folder) in run order, UTF-8. Entries past FileCount
  /// keep what an earlier build left there and are never read.
  FixedArray<std::string, 1, kCapacity> FileNames;
  /// How many names are stored: all that matched, at most kCapacity.
  Int16 FileCount;
  /// How many names matched, however many; a run refuses more than kCapacity.
  long found = 0;
};

/// The "*.txt" names of `folder_path` (joined with the platform's separator as a plain
/// concatenation), in run order: ascending by the lenient numeric value of the whole name, and
/// names of equal value in the order an NTFS folder lists them (case-insensitively, on the
/// upper-cased UTF-16 code units), whatever order the file system gave them in.
std::vector<std::string> DataFileNames(const std::string& folder_path, DirectoryLister& lister);

/// Rebuilds `catalogue` from DataFileNames: stores the first kCapacity names and counts them
/// all. Returns the decimal text of the count, the caption for the count label.
std::string BuildCatalogue(Catalogue& catalogue, const std::string& folder_path,
                           DirectoryLister& lister);

}  // namespace torvane
