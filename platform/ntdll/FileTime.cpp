#include "ntdll/FileTime.h"

#include <ctime>

namespace ntdll {

int64_t FileTime::now() {
  constexpr int64_t kUnixEpochIn1601 = 116444736000000000LL;
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return kUnixEpochIn1601 + static_cast<int64_t>(ts.tv_sec) * 10000000LL + ts.tv_nsec / 100;
}

}  // namespace ntdll
