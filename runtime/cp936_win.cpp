#include <windows.h>

#include "runtime/cp936.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

constexpr UINT kCodePage = 936;

// The code point the UTF-8 sequence `s` encodes, or -1 when it is malformed or overlong.
long DecodeSequence(std::string_view s) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  static constexpr long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  long code;
  switch (s.size()) {
    case 1:
      return b(0) < 0x80 ? b(0) : -1;
    case 2:
      code = (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
      break;
    case 3:
      code = (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
      break;
    default:
      code = (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
      break;
  }
  std::size_t expected = b(0) < 0xE0 ? 2 : b(0) < 0xF0 ? 3 : b(0) < 0xF8 ? 4 : 0;
  if (expected != s.size() || code < kSmallest[s.size()] || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return -1;
  }
  return code;
}

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
    long code = DecodeSequence(utf8.substr(pos, n));
    pos += n;
    if (code < 0 || code >= 0x10000) {  // malformed, or beyond the code page's reach
      out += '?';
      kept = false;
      continue;
    }
    AppendCharacter(out, static_cast<wchar_t>(code), kept);
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
