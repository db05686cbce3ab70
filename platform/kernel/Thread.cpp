// Creation of threads, their priorities and exit codes. The records and the suspension and
// termination machinery are in kernel/thread.
#include <win/error.h>
#include <win/sync.h>
#include <win/thread.h>

#include <new>

#include "kernel/handle/HandleTable.h"
#include "kernel/thread/ThreadHandle.h"
#include "kernel/thread/ThreadNice.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::thread::ThreadHandle;
using platform::kernel::thread::ThreadNice;
using platform::kernel::thread::ThreadObject;

namespace {

// The priority of a thread that CreateThread did not make, which has no record to keep it in.
thread_local int foreignPriority = THREAD_PRIORITY_NORMAL;

}  // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                           LPVOID parameter, DWORD creationFlags, LPDWORD threadId) {
  if (!start || (creationFlags & ~(CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION)) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* record = new (std::nothrow) ThreadObject(start, parameter, (creationFlags & CREATE_SUSPENDED) != 0);
  if (!record) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HANDLE handle = HandleTable::insert(record);
  if (!handle) {
    record->releaseReference();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (!record->launch(stackSize)) {
    DWORD error = GetLastError();
    HandleTable::close(handle);
    SetLastError(error);
    return nullptr;
  }
  if (threadId) *threadId = record->threadId();
  return handle;
}

HANDLE WINAPI GetCurrentThread() { return ThreadHandle::pseudo(); }

int WINAPI GetThreadPriority(HANDLE thread) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return THREAD_PRIORITY_ERROR_RETURN;
  if (target.isForeignSelf()) return foreignPriority;
  return target.object()->priority();
}

BOOL WINAPI SetThreadPriority(HANDLE thread, int priority) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return FALSE;
  if (!ThreadNice::accepts(priority)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (target.isForeignSelf()) {
    foreignPriority = priority;
    ThreadNice::apply(static_cast<int>(GetCurrentThreadId()), priority);
  } else {
    target.object()->setPriority(priority);
  }
  return TRUE;
}

BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  ThreadHandle target(thread);
  if (target.failIfInvalid()) return FALSE;
  if (!exitCode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *exitCode = target.isForeignSelf() ? STILL_ACTIVE : target.object()->exitCode();
  return TRUE;
}
