// The functions common to every kind of handle: waiting and closing.
#include <win/error.h>
#include <win/process.h>
#include <win/thread.h>

#include "kernel/handle/HandleTable.h"
#include "kernel/thread/ThreadHandle.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::handle::KernelObject;
using platform::kernel::thread::ThreadHandle;

DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD timeoutMs) {
  if (object == ThreadHandle::pseudo() || object == GetCurrentProcess()) {
    // The calling thread (or process) never ends while it waits for itself.
    Sleep(timeoutMs);
    return WAIT_TIMEOUT;
  }
  KernelObject* target = HandleTable::lookup(object);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  DWORD result = target->waitFor(timeoutMs);
  target->releaseReference();
  return result;
}

BOOL WINAPI CloseHandle(HANDLE object) {
  // Pseudo handles need no closing, and closing them is harmless.
  if (object == ThreadHandle::pseudo() || object == GetCurrentProcess()) return TRUE;
  if (!HandleTable::close(object)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
