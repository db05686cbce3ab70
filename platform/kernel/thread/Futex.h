// Waiting on and waking a 32-bit word with the Linux futex call, the one blocking primitive that is
// also safe inside a signal handler.
#pragma once

#include <atomic>
#include <cstdint>

namespace platform::kernel::thread {

class Futex {
 public:
  // Sleeps while the word holds `expected`, at most timeoutNs nanoseconds (negative: no limit).
  // May return early (a wake, a signal or a changed value); callers test their condition again.
  static void wait(std::atomic<int32_t>& word, int32_t expected, int64_t timeoutNs = -1);
  static void wakeAll(std::atomic<int32_t>& word);
  // Nanoseconds on the monotonic clock, for deadlines.
  static int64_t nowNs();
};

}  // namespace platform::kernel::thread
