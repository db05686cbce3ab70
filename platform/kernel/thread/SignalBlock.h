// Blocks the platform's suspend and terminate signals for the lifetime of the object. The platform
// holds one around every internal lock, so a thread is never frozen or ended while it owns one, and a
// thread made while one is held starts with both signals blocked.
#pragma once

#include <signal.h>

namespace platform::kernel::thread {

class SignalBlock {
 public:
  SignalBlock();
  ~SignalBlock();
  SignalBlock(const SignalBlock&) = delete;
  SignalBlock& operator=(const SignalBlock&) = delete;

 private:
  sigset_t previous;
};

}  // namespace platform::kernel::thread
