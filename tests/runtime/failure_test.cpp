#include "runtime/failure.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(Failure, DescriptionSaysWhatWentWrongOnceThenTheFileAndLine) {
  EXPECT_EQ(
      DescribeFailure(Failure(FailureKind::Overflow, "一行超过 32767 个字符", "7.txt", 32770)),
      "一行超过 32767 个字符\n文件：7.txt\n行号：32770");
  EXPECT_EQ(DescribeFailure(Failure(FailureKind::Overflow)), "数值超出范围（溢出）");
}

}  // namespace
}  // namespace torvane
