// The window system's own monotonic millisecond clock, for message times, timers and double clicks.
#pragma once

#include <cstdint>

namespace platform::user {

class Clock {
 public:
  // Milliseconds since an arbitrary start; never goes back.
  static uint64_t nowMs();
  // The low 32 bits, as MSG::time and GetMessageTime carry it.
  static uint32_t tick() { return static_cast<uint32_t>(nowMs()); }
};

}  // namespace platform::user
