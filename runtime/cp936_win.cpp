#include <windows.h>

#include "runtime/cp936.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

constexpr UINT kCodePage = 936;

// Windows maps the code page's user-defined areas (AAA1..AFFE, F8A1..FEFE, A140..A7A0) and the
// byte FF to the private use area; the code page as everywhere else has no such characters.
constexpr bool IsPrivateUse(wchar_t code) {
  return code >= 0xE000 && code <= 0xF8FF;
}

// One character of the code page, or "?" when it has none for `code` (a code point below
// 0x10000). Only exact mappings count: no best-fit look-alikes.
void AppendCharacter(std::string& out, wchar_t code, bool& lossless) {
  if (IsPrivateUse(code)) {
    out += '?';
    lossless = false;
    return;
  }
  char bytes[4];
  BOOL used_default = FALSE;
  int n = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &code, 1, bytes, sizeof bytes, "?",
                                &used_default);
  if (n <= 0 || used_default) {
    out += '?';
    lossless = false;
    return;
  }
  out.append(bytes, static_cast<std::size_t>(n));
}

}  // namespace

std::string Utf8ToCp936(std::string_view utf8, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  bool kept = true;
  for (std::size_t pos = 0; pos < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++pos;
      continue;
    }
    std::size_t n = Utf8SequenceLength(utf8.substr(pos));
    std::wstring code = Wide(utf8.substr(pos, n));
    pos += n;
    // Malformed (U+FFFD), or beyond the code page's reach (a surrogate pair).
    if (code.size() != 1 || code[0] == L'\xFFFD') {
      out += '?';
      kept = false;
      continue;
    }
    AppendCharacter(out, code[0], kept);
  }
  if (lossless) *lossless = kept;
  return out;
}

std::string Cp936ToUtf8(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t n = CharWidth(bytes, pos);
    wchar_t units[2];
    int got = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data() + pos,
                                    static_cast<int>(n), units, 2);
    if (got == 1 && !IsPrivateUse(units[0])) {
      wide += units[0];
    } else {
      wide += L'\xFFFD';
    }
    pos += n;
  }
  return Narrow(wide);
}

}  // namespace torvane
