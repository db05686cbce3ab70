// Tick counts and the performance counter on the monotonic clock.
#include <win/error.h>
#include <win/time.h>

#include <time.h>

namespace {

int64_t monotonicNs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

DWORD WINAPI GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG WINAPI GetTickCount64() { return static_cast<ULONGLONG>(monotonicNs() / 1000000); }

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  count->QuadPart = monotonicNs();
  return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  frequency->QuadPart = 1000000000;
  return TRUE;
}
