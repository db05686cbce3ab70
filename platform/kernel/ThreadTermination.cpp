// Forced termination: the thread's stack is abandoned, as Win32 does, and the thread then exits.
#include <win/error.h>
#include <win/thread.h>

#include "kernel/thread/ThreadHandle.h"
#include "kernel/thread/ThreadObject.h"

using platform::kernel::thread::ThreadHandle;
using platform::kernel::thread::ThreadObject;

BOOL WINAPI TerminateThread(HANDLE thread, DWORD exitCode) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return FALSE;
  // A thread without a record has no start to go back to.
  if (target.isForeignSelf()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ThreadObject* record = target.object();
  if (record == ThreadObject::current()) {
    // The thread's own reference keeps the record alive.
    target.dropReference();
    record->terminateSelf(exitCode);
  }
  record->terminate(exitCode);
  return TRUE;
}
