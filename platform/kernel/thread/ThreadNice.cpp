#include "kernel/thread/ThreadNice.h"

#include <win/thread.h>

#include <sys/resource.h>

namespace platform::kernel::thread {

namespace {

// Read while the process starts, on its main thread.
const int processNice = getpriority(PRIO_PROCESS, 0);

int offsetOf(int priority) {
  switch (priority) {
    case THREAD_PRIORITY_IDLE: return 19;
    case THREAD_PRIORITY_LOWEST: return 10;
    case THREAD_PRIORITY_BELOW_NORMAL: return 5;
    case THREAD_PRIORITY_ABOVE_NORMAL: return -5;
    case THREAD_PRIORITY_HIGHEST: return -10;
    case THREAD_PRIORITY_TIME_CRITICAL: return -20;
    default: return 0;
  }
}

}  // namespace

bool ThreadNice::accepts(int priority) {
  switch (priority) {
    case THREAD_PRIORITY_IDLE:
    case THREAD_PRIORITY_LOWEST:
    case THREAD_PRIORITY_BELOW_NORMAL:
    case THREAD_PRIORITY_NORMAL:
    case THREAD_PRIORITY_ABOVE_NORMAL:
    case THREAD_PRIORITY_HIGHEST:
    case THREAD_PRIORITY_TIME_CRITICAL:
      return true;
    default:
      return false;
  }
}

void ThreadNice::apply(int tid, int priority) {
  int nice = processNice + offsetOf(priority);
  if (nice < -20) nice = -20;
  if (nice > 19) nice = 19;
  setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
}

}  // namespace platform::kernel::thread
