// The current time as the registry reports it: 100-nanosecond intervals since 1601-01-01 UTC.
#pragma once

#include <cstdint>

namespace ntdll {

class FileTime {
 public:
  static int64_t now();
};

}  // namespace ntdll
