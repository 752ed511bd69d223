#pragma once

#include <string>

#include "runtime/directory.h"
#include "runtime/fixed_array.h"
#include "runtime/int16.h"

namespace torvane {

/// The data files a batch run works through, first to last.
struct Catalogue {
  static constexpr long kCapacity = 200;

  /// Bare names (with extension, without folder) as the enumeration returned them, UTF-8.
  /// Entries past the count keep what an earlier build left there and are never read.
  FixedArray<std::string, 1, kCapacity> FileNames;
  /// How many names matched in the last build; above kCapacity only the first kCapacity, in
  /// enumeration order, are stored and sorted.
  Int16 FileCount;
  /// The name the enumeration returned last; empty after a complete scan.
  std::string DirEntry;

  /// How many names are stored: FileCount, at most kCapacity.
  long StoredCount() const;
};

/// Rebuilds `catalogue` from the "*.txt" names of `folder_path` (joined with the platform's
/// separator as a plain concatenation): counts every matching name into FileCount, stores up to
/// 200, and sorts the stored names ascending by the lenient numeric value of the whole name,
/// names of equal value in enumeration order. Returns the decimal text of FileCount, the caption
/// for the count label. Overflow when more than 32767 names match.
std::string BuildCatalogue(Catalogue& catalogue, const std::string& folder_path,
                           DirectoryLister& lister);

}  // namespace torvane
