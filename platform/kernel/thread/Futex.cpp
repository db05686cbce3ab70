#include "kernel/thread/Futex.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <climits>

namespace platform::kernel::thread {

namespace {

int* address(std::atomic<int32_t>& word) { return reinterpret_cast<int*>(&word); }

}  // namespace

void Futex::wait(std::atomic<int32_t>& word, int32_t expected, int64_t timeoutNs) {
  if (timeoutNs < 0) {
    syscall(SYS_futex, address(word), FUTEX_WAIT_PRIVATE, expected, nullptr, nullptr, 0);
    return;
  }
  timespec relative{static_cast<time_t>(timeoutNs / 1000000000), static_cast<long>(timeoutNs % 1000000000)};
  syscall(SYS_futex, address(word), FUTEX_WAIT_PRIVATE, expected, &relative, nullptr, 0);
}

void Futex::wakeAll(std::atomic<int32_t>& word) {
  syscall(SYS_futex, address(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

int64_t Futex::nowNs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace platform::kernel::thread
