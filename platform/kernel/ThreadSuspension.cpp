// Suspend counts, as Win32 keeps them: a thread runs while its count is 0.
#include <win/error.h>
#include <win/thread.h>

#include "kernel/thread/ThreadHandle.h"

using platform::kernel::thread::ThreadHandle;

DWORD WINAPI SuspendThread(HANDLE thread) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return static_cast<DWORD>(-1);
  // A thread without a record could never be resumed, since no other thread has a handle to it.
  if (target.isForeignSelf()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  return target.object()->suspend();
}

DWORD WINAPI ResumeThread(HANDLE thread) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return static_cast<DWORD>(-1);
  if (target.isForeignSelf()) return 0;
  return target.object()->resume();
}
