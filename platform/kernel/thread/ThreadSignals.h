// The two real-time signals through which one thread suspends or terminates another, and their
// handlers. SIGRTMIN+6 parks the receiving thread until its suspend count is 0 again; SIGRTMIN+7
// abandons its stack back to the thread's start. Both only act on threads made by CreateThread.
#pragma once

#include <signal.h>

namespace platform::kernel::thread {

class ThreadSignals {
 public:
  static int suspendSignal();
  static int terminateSignal();
  // Both signals, for masks.
  static const sigset_t& both();
  // Installs the two handlers once; later calls do nothing.
  static void install();
  // Lets the calling thread receive both signals.
  static void unblock();
  // Stops the calling thread from receiving both signals (until unblock).
  static void block();
};

}  // namespace platform::kernel::thread
