#include "runtime/fixed_array.h"

#include <gtest/gtest.h>

#include "support/failure_of.h"

namespace torvane {
namespace {

TEST(FixedArray, ChecksBothBoundsAndKeepsOldEntries) {
  FixedArray<std::string, 1, 200> names;
  names(1) = "first";
  names(200) = "last";
  EXPECT_EQ(names(200), "last");
  for (long bad : {0L, 201L, -1L}) {
    EXPECT_EQ(testing::FailureOf([&] { names(bad); }).kind(), FailureKind::SubscriptOutOfRange);
  }
  EXPECT_EQ(names(1), "first");
}

TEST(Failure, DescriptionSaysWhatWentWrongOnceThenTheFileAndLine) {
  EXPECT_EQ(
      DescribeFailure(Failure(FailureKind::Overflow, "一行超过 32767 个字符", "7.txt", 32770)),
      "一行超过 32767 个字符\n文件：7.txt\n行号：32770");
  EXPECT_EQ(DescribeFailure(Failure(FailureKind::Overflow)), "数值超出范围（溢出）");
}

}  // namespace
}  // namespace torvane
