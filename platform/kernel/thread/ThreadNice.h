// Maps the Win32 thread priorities onto Linux nice values, offset from the nice value the process
// started with, and applies them to one thread where the process is permitted to.
#pragma once

namespace platform::kernel::thread {

class ThreadNice {
 public:
  // True for the THREAD_PRIORITY_* values that SetThreadPriority accepts.
  static bool accepts(int priority);
  // Sets the thread's nice value for the priority; refusals (raising without privilege) are ignored.
  static void apply(int tid, int priority);
};

}  // namespace platform::kernel::thread
