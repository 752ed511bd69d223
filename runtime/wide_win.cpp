#include "runtime/wide_win.h"

#include <windows.h>

#include <algorithm>

#include "runtime/utf16.h"

namespace torvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::string_view utf8) {
  std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    DWORD n =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return {};
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);  // n counts the terminator when the buffer was too small
  }
}

std::wstring WidePath(const std::string& utf8) {
  std::wstring path = Wide(utf8);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
  // MAX_PATH less room for an 8.3 name: the limit of folder functions.
  constexpr std::size_t kShortEnough = MAX_PATH - 12;
  if (path.size() < kShortEnough) {
    std::wstring full = FullPath(path);
    if (full.empty() || full.size() < kShortEnough) return path;
  }
  std::wstring full = FullPath(path);
  if (full.empty()) return path;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace torvane
