// Both platforms convert with their own tables (iconv's CP936, Windows' code page 936); the
// summary's bytes must not depend on which one ran.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/cp936.h"
#include "runtime/utf16.h"

namespace torvane {
namespace {

struct Digest {
  uint64_t value = 14695981039346656037ULL;  // FNV-1a
  void Add(std::string_view bytes) {
    for (unsigned char b : bytes) value = (value ^ b) * 1099511628211ULL;
    value = (value ^ 0xFF) * 1099511628211ULL;  // a separator no conversion writes alone
  }
};

TEST(Cp936Table, EveryCharacterConvertsTheSameOnEveryPlatform) {
  Digest to_code_page, from_code_page;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    bool lossless = false;
    to_code_page.Add(
        Utf8ToCp936(Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(c))), &lossless));
    to_code_page.Add(lossless ? "1" : "0");
  }
  for (int lead = 0; lead < 256; ++lead) {
    from_code_page.Add(Cp936ToUtf8(std::string(1, static_cast<char>(lead))));
    for (int trail = 0x40; IsLeadByte(static_cast<unsigned char>(lead)) && trail <= 0xFE; ++trail) {
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      from_code_page.Add(Cp936ToUtf8(std::string_view(pair, 2)));
    }
  }
  // Taken from glibc's CP936: the private use area and the code page's user-defined areas have
  // no characters, the euro sign is 80.
  EXPECT_EQ(to_code_page.value, 0x92B0D590BF616B5AULL);
  EXPECT_EQ(from_code_page.value, 0x3972AFDC08EA0302ULL);
}

}  // namespace
}  // namespace torvane
