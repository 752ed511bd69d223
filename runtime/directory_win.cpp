#include <windows.h>

#include "runtime/directory.h"
#include "runtime/wide_win.h"

namespace torvane {

// Folders, hidden and system files are left out, as are names the pattern matches only through
// their short 8.3 form (the system also matches "*.txt" against "DATA~1.TXT" of "data.txt1").
std::vector<std::string> FileSystemLister::List(const std::string& pattern) {
  std::vector<std::string> names;
  std::size_t cut = pattern.find_last_of("\\/");
  std::string name_pattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);

  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileExW(WidePath(pattern).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return names;
  constexpr DWORD kLeftOut =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (found.dwFileAttributes & kLeftOut) continue;
    std::string name = Narrow(found.cFileName);
    if (MatchesNamePattern(name, name_pattern)) names.push_back(std::move(name));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

}  // namespace torvane
