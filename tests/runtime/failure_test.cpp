#include "runtime/failure.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(Failure, WithoutAMessageTheDescriptionNamesTheKind) {
  EXPECT_EQ(DescribeFailure(Failure(FailureKind::Overflow)), "数值超出范围（溢出）");
}

}  // namespace
}  // namespace torvane
