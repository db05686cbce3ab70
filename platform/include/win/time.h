// Tick counts and the performance counter, all read from the monotonic clock, so they never jump
// when the wall clock is changed.
#pragma once

#include <win/types.h>

// Milliseconds since an arbitrary start, wrapping after about 49.7 days.
DWORD WINAPI GetTickCount();
// Milliseconds since the same start, without wrapping.
ULONGLONG WINAPI GetTickCount64();

// The counter in units of 1 / QueryPerformanceFrequency seconds (nanoseconds here). Both always
// succeed on Linux; a null argument fails with ERROR_INVALID_PARAMETER.
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// The wall-clock time in 100-nanosecond units since 1601-01-01 UTC.
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

// The current system time (UTC) from the real-time clock.
void WINAPI GetSystemTimeAsFileTime(LPFILETIME systemTime);
