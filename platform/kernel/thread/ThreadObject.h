// The record of one thread made by CreateThread: its start routine, suspend count, priority, exit
// code and end state. It is a kernel object named by the thread's handles; the running thread holds a
// reference of its own, so the record outlives whichever of the handle and the thread goes last.
#pragma once

#include <win/types.h>
#include <win/thread.h>

#include <pthread.h>
#include <setjmp.h>

#include <atomic>
#include <mutex>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::thread {

class ThreadObject : public handle::KernelObject {
 public:
  ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, bool suspended);

  // Starts the system thread and waits until it knows its identifier; false (last error set) on failure.
  bool launch(SIZE_T stackSize);

  // The record of the calling thread, or null for a thread not made by CreateThread.
  static ThreadObject* current();

  DWORD threadId() const { return static_cast<DWORD>(tid.load(std::memory_order_acquire)); }
  bool hasEnded() const { return ended.load(std::memory_order_acquire) != 0; }

  // Win32 SuspendThread / ResumeThread on this thread; (DWORD)-1 with the last error set on failure.
  DWORD suspend();
  DWORD resume();
  // Ends another thread with the given exit code; returns once it runs no more of its own code.
  void terminate(DWORD exitCode);
  // Ends the calling thread, which must be this one.
  [[noreturn]] void terminateSelf(DWORD exitCode);

  int priority() const { return priorityValue.load(std::memory_order_relaxed); }
  // Stores an accepted priority and applies its nice value where permitted.
  void setPriority(int value);

  // STILL_ACTIVE until the thread has ended.
  DWORD exitCode() const;

  DWORD waitFor(DWORD timeoutMs) override;

  // Called by the suspend signal's handler on this thread: waits while the suspend count is above 0.
  void parkWhileSuspended();
  // Called by the terminate signal's handler on this thread: abandons the stack when asked to end.
  void abandonIfTerminating();

 private:
  ~ThreadObject() override;

  static void* threadMain(void* argument);
  void waitWhileSuspended();
  void finish(DWORD code);

  LPTHREAD_START_ROUTINE start;
  LPVOID parameter;
  pthread_t pthread{};

  // Serialises suspend, resume, terminate and the end of the thread, so a signal never reaches a
  // thread that has left its start routine. Held only with both platform signals blocked.
  std::mutex mutex;
  std::atomic<int32_t> suspendCount;
  std::atomic<int32_t> tid{0};
  std::atomic<int32_t> parked{0};       // 1 while the suspend handler holds the thread
  std::atomic<int32_t> terminating{0};  // set by TerminateThread
  std::atomic<int32_t> abandoned{0};    // set when the terminate handler has taken over
  std::atomic<int32_t> ended{0};        // set once the thread has left its start routine
  std::atomic<int> priorityValue{THREAD_PRIORITY_NORMAL};
  DWORD terminateCode = 0;
  DWORD finalCode = STILL_ACTIVE;
  sigjmp_buf startJump;
};

}  // namespace platform::kernel::thread
