#include "catalogue/catalogue.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/numeric.h"

namespace torvane {

long Catalogue::StoredCount() const {
  return std::min<long>(FileCount.value(), kCapacity);
}

std::string BuildCatalogue(Catalogue& catalogue, const std::string& folder_path,
                           DirectoryLister& lister) {
  catalogue.FileCount = Int16();
  std::vector<std::string> names = lister.List(folder_path + kPathSeparator + "*.txt");

  // Each name's key is formed once; a stable sort on it gives exactly the order of an exchange
  // sort of adjacent entries that swaps only on strictly less.
  std::vector<std::pair<double, std::string>> stored;
  for (std::string& name : names) {
    catalogue.DirEntry = name;
    ++catalogue.FileCount;
    if (catalogue.FileCount.value() <= Catalogue::kCapacity) {
      double key = LenientValue(name);
      stored.emplace_back(key, std::move(name));
    }
  }
  catalogue.DirEntry.clear();
  std::stable_sort(stored.begin(), stored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  long index = 1;
  for (auto& entry : stored) catalogue.FileNames(index++) = std::move(entry.second);
  return std::to_string(catalogue.FileCount.value());
}

}  // namespace torvane
