#include "runtime/cp936.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

// Character widths are pinned by the reader's row splitting; here, the codes.
TEST(Cp936, CharacterCodesOfSingleAndDoubleByteCharacters) {
  std::string text = "a\xD6\xD0\x81";  // "a", 中, then a lead byte with no trail
  EXPECT_EQ(CharCode(text, 0), 97);
  EXPECT_EQ(CharCode(text, 1), 0xD6D0 - 65536);
  EXPECT_EQ(CharCode(text, 3), 0x81);
  EXPECT_EQ(KeyCodeOfUtf8("中"), 0xD6D0 - 65536);
  EXPECT_EQ(KeyCodeOfUtf8("\xF0\x9F\x98\x80"), '?') << "a character the code page lacks";
}

TEST(Cp936, ConvertsBothWaysAndMarksWhatCannotBeConverted) {
  bool lossless = true;
  EXPECT_EQ(Utf8ToCp936("a中\360\237\230\200b", &lossless), "a\xD6\xD0?b")
      << "an emoji has no code";
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp936("x\xFFy"), "x?y") << "malformed UTF-8";
  EXPECT_EQ(Cp936ToUtf8("a\xD6\xD0\x80"), "a中€");
}

}  // namespace
}  // namespace torvane
