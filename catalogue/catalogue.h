#pragma once

#include <string>
#include <vector>

#include "runtime/directory.h"

namespace torvane {

/// The data files a batch run of the window works through, first to last.
struct Catalogue {
  /// The most data files one run of the window takes; a run refuses more.
  static constexpr std::size_t kCapacity = 200;

  /// Bare names (with extension, without folder) in run order, UTF-8: every one that matched,
  /// however many.
  std::vector<std::string> FileNames;
};

/// The "*.txt" names of `folder_path` (joined with the platform's separator as a plain
/// concatenation), in run order: ascending by the lenient numeric value of the whole name, and
/// names of equal value in the order an NTFS folder lists them (case-insensitively, on the
/// upper-cased UTF-16 code units), whatever order the file system gave them in.
std::vector<std::string> DataFileNames(const std::string& folder_path, DirectoryLister& lister);

/// Rebuilds `catalogue` from DataFileNames. Returns the decimal text of the count of names, the
/// caption for the count label.
std::string BuildCatalogue(Catalogue& catalogue, const std::string& folder_path,
                           DirectoryLister& lister);

}  // namespace torvane
