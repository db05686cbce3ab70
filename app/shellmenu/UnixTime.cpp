#include "shellmenu/UnixTime.h"

#include <win/time.h>

namespace s::shell::server01 {

uint32_t unixTimeNow() {
  // 100-nanosecond units from 1601-01-01 to 1970-01-01.
  constexpr uint64_t kUnixEpoch = 116444736000000000ull;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  uint64_t units = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return units <= kUnixEpoch ? 0 : static_cast<uint32_t>((units - kUnixEpoch) / 10000000ull);
}

}  // namespace s::shell::server01
