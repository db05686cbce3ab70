// The wall-clock time, converted from the Unix epoch to the Windows one.
#include <win/time.h>

#include <time.h>

#include <cstdint>

namespace {

// 100-nanosecond units from 1601-01-01 to 1970-01-01.
constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ull;

}  // namespace

void WINAPI GetSystemTimeAsFileTime(LPFILETIME systemTime) {
  if (!systemTime) return;
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  uint64_t units = kUnixEpochInFileTime + static_cast<uint64_t>(now.tv_sec) * 10000000ull +
                   static_cast<uint64_t>(now.tv_nsec) / 100;
  systemTime->dwLowDateTime = static_cast<DWORD>(units);
  systemTime->dwHighDateTime = static_cast<DWORD>(units >> 32);
}
