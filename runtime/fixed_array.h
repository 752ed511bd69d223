#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "runtime/failure.h"

namespace torvane {

/// An array with fixed bounds `First`..`Last`, both included. Every access is checked: an index
/// outside the bounds raises SubscriptOutOfRange. Entries are never cleared between uses.
template <typename T, long First, long Last>
class FixedArray {
  static_assert(First <= Last);

 public:
  static constexpr long kFirst = First;
  static constexpr long kLast = Last;

  FixedArray() : items_(std::make_unique<std::array<T, Last - First + 1>>()) {}

  T& operator()(long index) { return (*items_)[Slot(index)]; }
  const T& operator()(long index) const { return (*items_)[Slot(index)]; }

 private:
  static std::size_t Slot(long index) {
    if (index < First || index > Last) throw Failure(FailureKind::SubscriptOutOfRange);
    return static_cast<std::size_t>(index - First);
  }

  std::unique_ptr<std::array<T, Last - First + 1>> items_;
};

}  // namespace torvane
