// Sleeping and yielding. Sleeps measure against the monotonic clock, so a signal that interrupts
// them (a suspension, for instance) does not lengthen or shorten them.
#include <win/thread.h>

#include <errno.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

void WINAPI Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  if (milliseconds == INFINITE) {
    for (;;) pause();
  }
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += milliseconds / 1000;
  deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000;
  if (deadline.tv_nsec >= 1000000000) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

BOOL WINAPI SwitchToThread() {
  sched_yield();
  return TRUE;
}
