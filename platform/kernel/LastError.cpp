// The last-error code lives in thread-local storage, so a failure on one thread never disturbs the
// code another thread is about to read.
#include <win/error.h>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

DWORD WINAPI GetLastError() { return lastError; }

void WINAPI SetLastError(DWORD errorCode) { lastError = errorCode; }
