#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

namespace torvane::testing {

/// Runs `action` under a watchdog: when it has not returned after `limit` (meant to be far
/// beyond what it takes when it works), the test program says so, naming `what`, and ends at
/// once with a failure. A wait that never ends fails instead of hanging; a busy machine passes.
template <typename Action>
void WithinWatchdog(std::chrono::seconds limit, const char* what, Action&& action) {
  std::promise<void> done;
  std::jthread dog([limit, what, returned = done.get_future()] {
    if (returned.wait_for(limit) == std::future_status::ready) return;
    std::fprintf(stderr, "watchdog: %s did not finish within %lld s\n", what,
                 static_cast<long long>(limit.count()));
    std::_Exit(1);
  });
  struct Release {
    std::promise<void>& done;
    ~Release() { done.set_value(); }
  } release{done};
  action();
}

}  // namespace torvane::testing
