// Closing a native handle of any kind this layer gives out: keys and the process token.
#include <win/ntdll.h>

#include "ntdll/KeyHandles.h"

NTSTATUS NTAPI NtClose(HANDLE handle) {
  // The pseudo handle of the current process needs no closing.
  if (handle == NtCurrentProcess()) return STATUS_SUCCESS;
  return ntdll::KeyHandles::instance().remove(handle) ? STATUS_SUCCESS : STATUS_INVALID_HANDLE;
}
