// Critical sections with the Win32 semantics: recursive for the owning thread, one owner at a time.
#pragma once

#include <win/types.h>

typedef struct _RTL_CRITICAL_SECTION {
  void* DebugInfo;
  LONG LockCount;       // 0 free, 1 held, 2 held with waiters (the futex word)
  LONG RecursionCount;  // entries by the owner not yet left
  HANDLE OwningThread;  // identifier of the owning thread, null when free
  HANDLE LockSemaphore;
  ULONG_PTR SpinCount;
} CRITICAL_SECTION, *LPCRITICAL_SECTION, *PCRITICAL_SECTION;

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section);
BOOL WINAPI InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount);
void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION section);
void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section);
void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section);

// The calling thread's system identifier (its Linux thread id).
DWORD WINAPI GetCurrentThreadId();
