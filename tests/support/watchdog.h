#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace torvane::testing {

/// Runs `action` under a watchdog: when it has not returned after `limit`, the test program
/// says so, naming `what`, and ends at once with a failure. A wait that never ends then fails
/// instead of hanging; a slow machine only takes longer. `limit` is meant to be far beyond what
/// the action takes when it works.
template <typename Action>
void WithinWatchdog(std::chrono::seconds limit, const char* what, Action&& action) {
  struct Dog {
    std::mutex mutex;
    std::condition_variable done_changed;
    bool done = false;
    std::thread thread;
    ~Dog() {
      {
        std::lock_guard lock(mutex);
        done = true;
      }
      done_changed.notify_one();
      thread.join();
    }
  } dog;
  dog.thread = std::thread([&dog, limit, what] {
    std::unique_lock lock(dog.mutex);
    if (!dog.done_changed.wait_for(lock, limit, [&dog] { return dog.done; })) {
      std::fprintf(stderr, "watchdog: %s did not finish within %lld s\n", what,
                   static_cast<long long>(limit.count()));
      std::fflush(stderr);
      std::_Exit(1);
    }
  });
  action();
}

}  // namespace torvane::testing
