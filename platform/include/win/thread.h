// Threads with the Win32 semantics on POSIX threads: creation (optionally suspended), suspend counts,
// forced termination, priorities, waiting on a thread handle, exit codes, and the handle table that
// CloseHandle empties.
//
// How the Win32 semantics are met on Linux:
// - Handles are entries of a process-wide table; a stale or closed handle is reported as invalid and
//   never reaches another object. Closing a thread's handle does not stop the thread; the thread's
//   record is freed once its handle is closed and the thread has ended.
// - GetCurrentThread returns the pseudo handle (HANDLE)-2, which always means the calling thread.
// - Suspension keeps a suspend count per thread. A thread that suspends itself blocks until another
//   thread brings the count back to 0. Suspending another thread sends it the real-time signal
//   SIGRTMIN+6, whose handler waits on the suspend count; SuspendThread returns only once the target
//   has stopped running its own code (it is parked in the handler, or had already been suspended), so
//   even a thread spinning in user code is frozen at once.
// - TerminateThread sends the real-time signal SIGRTMIN+7; its handler abandons the thread's stack
//   with siglongjmp back to the thread's start, so no destructor of the abandoned frames runs (as on
//   Win32) and the thread then exits normally, its stack and record reclaimed. TerminateThread
//   returns once the target has stopped running its own code; WaitForSingleObject tells when it ended.
//   Like on Win32, a thread terminated while it holds a lock leaves that lock held: callers terminate
//   only threads known to be outside their locks. The platform's own internal locks are safe, because
//   both signals are blocked while the platform holds them.
// - Only threads made by CreateThread can be suspended by another thread or terminated; other threads
//   (the main thread, threads of other libraries) answer through GetCurrentThread for their priority
//   and exit code only.
//
// Async-signal safety: none of these functions may be called from a signal handler. The two handlers
// themselves use only atomics, futex calls and siglongjmp. ResumeThread does not allocate memory, so it
// can resume a thread that was suspended inside the allocator.
#pragma once

#include <win/types.h>

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef DWORD(WINAPI* PTHREAD_START_ROUTINE)(LPVOID parameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

// Creation flags.
#define CREATE_SUSPENDED 0x00000004u
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000u

// The most suspensions a thread may accumulate; one more is refused.
#define MAXIMUM_SUSPEND_COUNT 0x7F

// Exit code of a thread that has not ended yet.
#define STILL_ACTIVE 259u

// Thread priorities (relative to the process's class). On Linux each maps to a nice value offset
// from the process's nice value at start-up; raising above normal works only with the privilege to.
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

// Results of WaitForSingleObject.
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

// Starts a thread running start(parameter). Security attributes are accepted and ignored; a stack size
// of 0 means the default. With CREATE_SUSPENDED the function does not start before ResumeThread. The
// identifier (the Linux thread id, as GetCurrentThreadId reports it) is stored in *threadId when
// given. Returns the thread's handle, or null with the last error set.
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                           LPVOID parameter, DWORD creationFlags, LPDWORD threadId);

// The pseudo handle of the calling thread; it needs no closing.
HANDLE WINAPI GetCurrentThread();

// Adds one to the thread's suspend count and returns the previous count, or (DWORD)-1 on failure.
DWORD WINAPI SuspendThread(HANDLE thread);
// Takes one from the suspend count (when above 0) and returns the previous count, or (DWORD)-1 on
// failure; the thread runs again when the count reaches 0. A count of 0 is left as it is.
DWORD WINAPI ResumeThread(HANDLE thread);

// Ends the thread at once with the given exit code (see above for what that means on Linux).
// Terminating a thread that has already ended succeeds and keeps its exit code.
BOOL WINAPI TerminateThread(HANDLE thread, DWORD exitCode);

// The priority last set (THREAD_PRIORITY_NORMAL at first), or THREAD_PRIORITY_ERROR_RETURN.
int WINAPI GetThreadPriority(HANDLE thread);
// Accepts the THREAD_PRIORITY_* values above and stores the value; other values fail with
// ERROR_INVALID_PARAMETER.
BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);

// STILL_ACTIVE while the thread runs, then its exit code.
BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// Waits up to timeoutMs (INFINITE for no limit) for the object to be signalled; a thread is signalled
// once it has ended. WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED with the last error set.
DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD timeoutMs);

// Removes the handle from the table. The object lives on while it is still in use (a thread runs on).
BOOL WINAPI CloseHandle(HANDLE object);

// Sleeps at least the given time (0 yields the processor, INFINITE never returns).
void WINAPI Sleep(DWORD milliseconds);
// Gives the processor to another ready thread, if any; always reports TRUE.
BOOL WINAPI SwitchToThread();
