#include "runtime/cp936.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(Cp936, CharacterCodesOfSingleAndDoubleByteCharacters) {
  std::string text = "a\xD6\xD0\x81";  // "a", 中, then a lead byte with no trail
  EXPECT_EQ(CharCode(text, 0), 97);
  EXPECT_EQ(CharWidth(text, 1), 2u);
  EXPECT_EQ(CharCode(text, 1), 0xD6D0 - 65536);
  EXPECT_EQ(CharWidth(text, 3), 1u) << "a lead byte at the end stands alone";
  EXPECT_EQ(CharCode(text, 3), 0x81);
  EXPECT_EQ(CharWidth("\x81\x30", 0), 1u) << "0x30 is no trail byte";
}

TEST(Cp936, ConvertsFromUtf8AndMarksMissingCharacters) {
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp936("数据1.txt", &lossless),
            "\xCA\xFD\xBE\xDD"
            "1.txt");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf8ToCp936("a\xF0\x9F\x98\x80"
                        "b",
                        &lossless),
            "a?b")
      << "an emoji has no code";
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp936("x\xFFy"), "x?y") << "malformed UTF-8";
  EXPECT_EQ(Cp936ToUtf8("\xCA\xFD\xBE\xDD"), "数据");
}

TEST(Cp936, KeyCodes) {
  EXPECT_EQ(KeyCodeOfUtf8("5"), 53);
  EXPECT_EQ(KeyCodeOfUtf8("中"), 0xD6D0 - 65536);
  EXPECT_LT(KeyCodeOfUtf8("５"), 0) << "a full-width digit is double-byte";
  EXPECT_EQ(KeyCodeOfUtf8(""), 0);
}

}  // namespace
}  // namespace torvane
