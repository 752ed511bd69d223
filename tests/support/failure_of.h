#pragma once

#include <gtest/gtest.h>

#include "runtime/failure.h"

namespace torvane::testing {

/// The failure that `action` throws; when it throws none, a test failure and an
/// InvalidArgument placeholder.
template <typename Action>
Failure FailureOf(Action&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure;
  }
  ADD_FAILURE() << "no failure";
  return Failure(FailureKind::InvalidArgument);
}

}  // namespace torvane::testing
