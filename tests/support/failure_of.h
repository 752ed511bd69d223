#pragma once

#include <gtest/gtest.h>

#include "runtime/failure.h"

namespace torvane::testing {

/// The failure that `action` throws; when it throws none, a test failure and a placeholder.
template <typename Action>
Failure FailureOf(Action&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure;
  }
  ADD_FAILURE() << "no failure";
  return Failure(FailureKind::ReadFailed, "no failure");
}

}  // namespace torvane::testing
