// Critical sections on a futex: one atomic exchange to enter and one to leave when uncontended,
// which keeps the library's pools cheaper than the heap.
#include <win/sync.h>

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>

namespace {

HANDLE selfTag() { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(GetCurrentThreadId())); }

void futexWait(LONG* word, LONG expected) {
  syscall(SYS_futex, word, FUTEX_WAIT_PRIVATE, expected, nullptr, nullptr, 0);
}

void futexWakeOne(LONG* word) { syscall(SYS_futex, word, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0); }

// The classic three-state mutex: 0 free, 1 held, 2 held and someone may sleep on it.
void lockWord(LONG* word, ULONG_PTR spins) {
  LONG expected = 0;
  if (__atomic_compare_exchange_n(word, &expected, 1, false, __ATOMIC_ACQUIRE, __ATOMIC_RELAXED)) return;
  for (ULONG_PTR i = 0; i < spins; ++i) {
    expected = 0;
    if (__atomic_load_n(word, __ATOMIC_RELAXED) == 0 &&
        __atomic_compare_exchange_n(word, &expected, 1, false, __ATOMIC_ACQUIRE, __ATOMIC_RELAXED))
      return;
    __builtin_ia32_pause();
  }
  while (__atomic_exchange_n(word, 2, __ATOMIC_ACQUIRE) != 0) futexWait(word, 2);
}

void unlockWord(LONG* word) {
  if (__atomic_exchange_n(word, 0, __ATOMIC_RELEASE) == 2) futexWakeOne(word);
}

}  // namespace

DWORD WINAPI GetCurrentThreadId() {
  static thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section) {
  InitializeCriticalSectionAndSpinCount(section, 0);
}

BOOL WINAPI InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount) {
  section->DebugInfo = nullptr;
  section->LockCount = 0;
  section->RecursionCount = 0;
  section->OwningThread = nullptr;
  section->LockSemaphore = nullptr;
  section->SpinCount = spinCount ? spinCount : 100;
  return TRUE;
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section) {
  HANDLE self = selfTag();
  if (__atomic_load_n(&section->OwningThread, __ATOMIC_RELAXED) == self) {
    ++section->RecursionCount;
    return;
  }
  lockWord(&section->LockCount, section->SpinCount);
  __atomic_store_n(&section->OwningThread, self, __ATOMIC_RELAXED);
  section->RecursionCount = 1;
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  HANDLE self = selfTag();
  if (__atomic_load_n(&section->OwningThread, __ATOMIC_RELAXED) == self) {
    ++section->RecursionCount;
    return TRUE;
  }
  LONG expected = 0;
  if (!__atomic_compare_exchange_n(&section->LockCount, &expected, 1, false, __ATOMIC_ACQUIRE,
                                   __ATOMIC_RELAXED))
    return FALSE;
  __atomic_store_n(&section->OwningThread, self, __ATOMIC_RELAXED);
  section->RecursionCount = 1;
  return TRUE;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section) {
  // Leaving a section the caller does not own is a caller error; ignoring it keeps the lock sound.
  if (__atomic_load_n(&section->OwningThread, __ATOMIC_RELAXED) != selfTag()) return;
  if (--section->RecursionCount > 0) return;
  __atomic_store_n(&section->OwningThread, nullptr, __ATOMIC_RELAXED);
  unlockWord(&section->LockCount);
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section) {
  section->OwningThread = nullptr;
  section->RecursionCount = 0;
  section->LockCount = 0;
}
