#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

/// Texts that cross a file or a file name are bytes in code page 936 (GBK). A lead byte
/// 0x81..0xFE followed by a trail byte 0x40..0x7E or 0x80..0xFE is one double-byte character;
/// any other byte is one character on its own.
constexpr bool IsLeadByte(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}
constexpr bool IsTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

/// Bytes taken by the character that starts at `pos` of `bytes` (1 or 2).
inline std::size_t CharWidth(std::string_view bytes, std::size_t pos) {
  auto lead = static_cast<unsigned char>(bytes[pos]);
  return IsLeadByte(lead) && pos + 1 < bytes.size() &&
                 IsTrailByte(static_cast<unsigned char>(bytes[pos + 1]))
             ? 2
             : 1;
}

/// The character code of the character at `pos`: its byte for a one-byte character,
/// lead * 256 + trail - 65536 (always negative) for a double-byte one.
inline int16_t CharCode(std::string_view bytes, std::size_t pos) {
  auto lead = static_cast<unsigned char>(bytes[pos]);
  if (CharWidth(bytes, pos) == 1) return static_cast<int16_t>(lead);
  auto trail = static_cast<unsigned char>(bytes[pos + 1]);
  return static_cast<int16_t>(lead * 256 + trail - 65536);
}

/// Bytes of the UTF-8 sequence that starts `rest` (not empty), counted as one unconvertible
/// sequence is: its lead byte and the continuation bytes it announces that follow it.
inline std::size_t Utf8SequenceLength(std::string_view rest) {
  auto b = static_cast<unsigned char>(rest[0]);
  std::size_t n = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  std::size_t i = 1;
  while (i < n && i < rest.size() && (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) ++i;
  return i;
}

/// Length of `bytes` in characters.
std::size_t CharLength(std::string_view bytes);

/// UTF-8 to code page 936. A character the code page lacks, or a malformed UTF-8 sequence,
/// becomes "?". `lossless`, when given, tells whether nothing was replaced.
std::string Utf8ToCp936(std::string_view utf8, bool* lossless = nullptr);

/// Code page 936 to UTF-8. A byte that starts no character of the code page becomes U+FFFD.
std::string Cp936ToUtf8(std::string_view bytes);

/// The code page 936 character code of the first character of a UTF-8 text, as a key press
/// hands it over; 0 for an empty text, 63 ("?") for a character the code page lacks.
int16_t KeyCodeOfUtf8(std::string_view utf8);

}  // namespace torvane
