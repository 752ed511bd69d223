#include "catalogue/catalogue.h"

#include <algorithm>
#include <utility>

#include "runtime/numeric.h"
#include "runtime/utf16.h"

namespace torvane {
namespace {

// The upper case of a UTF-16 code unit as NTFS compares names: the simple upper-case mappings
// of the Latin, Greek, Cyrillic and full-width letters; every other unit stands for itself.
char16_t Upcase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? c - 0x20 : c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    // Pairs: even upper, odd lower, except in 0x139..0x148 and 0x179..0x17E, where odd is upper.
    bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (odd_upper) return (c % 2 == 0) ? c - 1 : c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

std::u16string NtfsKey(const std::string& name) {
  std::u16string key = Utf8ToUtf16(name);
  for (char16_t& unit : key) unit = Upcase(unit);
  return key;
}

}  // namespace

std::vector<std::string> DataFileNames(const std::string& folder_path, DirectoryLister& lister) {
  std::vector<std::string> names = lister.List(folder_path + kPathSeparator + "*.txt");
  // Each name's keys are formed once. A stable sort on the numeric value, after the NTFS order,
  // gives exactly what an exchange sort of adjacent entries, swapping only on strictly less,
  // gives over names enumerated in NTFS order.
  struct Entry {
    double value;
    std::u16string key;
    std::string name;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (std::string& name : names) {
    double value = LenientValue(name);
    std::u16string key = NtfsKey(name);
    entries.push_back({value, std::move(key), std::move(name)});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
  });
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.value < b.value; });
  names.clear();
  for (Entry& entry : entries) names.push_back(std::move(entry.name));
  return names;
}

std::string BuildCatalogue(Catalogue& catalogue, const std::string& folder_path,
                           DirectoryLister& lister) {
  catalogue.FileNames = DataFileNames(folder_path, lister);
  return std::to_string(catalogue.FileNames.size());
}

}  // namespace torvane
