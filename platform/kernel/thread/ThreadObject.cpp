#include "kernel/thread/ThreadObject.h"

#include <win/error.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>

#include "kernel/thread/Futex.h"
#include "kernel/thread/SignalBlock.h"
#include "kernel/thread/ThreadNice.h"
#include "kernel/thread/ThreadSignals.h"

namespace platform::kernel::thread {

namespace {

// Initial-exec, so that the signal handlers can read it without any allocation.
thread_local ThreadObject* currentThread __attribute__((tls_model("initial-exec"))) = nullptr;

// Win32 reports an exceeded suspend count as ERROR_SIGNAL_REFUSED.
constexpr DWORD kErrorSignalRefused = 156;

// How often a waiter that has no wake-up of its own looks again.
constexpr int64_t kPollNs = 1000000;

void sendSignal(int32_t tid, int signal) { syscall(SYS_tgkill, getpid(), tid, signal); }

}  // namespace

ThreadObject::ThreadObject(LPTHREAD_START_ROUTINE startRoutine, LPVOID startParameter, bool suspended)
    : start(startRoutine), parameter(startParameter), suspendCount(suspended ? 1 : 0) {}

ThreadObject::~ThreadObject() = default;

ThreadObject* ThreadObject::current() { return currentThread; }

bool ThreadObject::launch(SIZE_T stackSize) {
  ThreadSignals::install();
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  // Detached: the record, not a join, tells when the thread has ended.
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (stackSize != 0) {
    SIZE_T page = static_cast<SIZE_T>(sysconf(_SC_PAGESIZE));
    // Win32 never gives less than its 64 KiB allocation unit, and sanitizers need the room.
    SIZE_T minimum = static_cast<SIZE_T>(PTHREAD_STACK_MIN) > 65536 ? static_cast<SIZE_T>(PTHREAD_STACK_MIN) : 65536;
    SIZE_T size = stackSize < minimum ? minimum : stackSize;
    size = (size + page - 1) / page * page;
    pthread_attr_setstacksize(&attributes, size);
  }
  addReference();  // the running thread's own
  int result;
  {
    // The new thread starts with both signals blocked and unblocks them once it can take them.
    SignalBlock block;
    result = pthread_create(&pthread, &attributes, &ThreadObject::threadMain, this);
  }
  pthread_attr_destroy(&attributes);
  if (result != 0) {
    releaseReference();
    SetLastError(result == EAGAIN ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
    return false;
  }
  while (tid.load(std::memory_order_acquire) == 0) Futex::wait(tid, 0);
  return true;
}

void* ThreadObject::threadMain(void* argument) {
  ThreadObject* const self = static_cast<ThreadObject*>(argument);
  currentThread = self;
  self->tid.store(static_cast<int32_t>(syscall(SYS_gettid)), std::memory_order_release);
  Futex::wakeAll(self->tid);
  // The mask saved here has both signals blocked, so a terminated thread finishes with them blocked.
  if (sigsetjmp(self->startJump, 1) == 0) {
    ThreadSignals::unblock();
    self->waitWhileSuspended();
    DWORD code = self->start(self->parameter);
    ThreadSignals::block();
    self->finish(code);
  } else {
    self->finish(self->terminateCode);
  }
  return nullptr;
}

void ThreadObject::finish(DWORD code) {
  {
    std::lock_guard<std::mutex> guard(mutex);
    finalCode = code;
    ended.store(1, std::memory_order_release);
  }
  parked.store(0, std::memory_order_release);
  Futex::wakeAll(ended);
  Futex::wakeAll(parked);
  Futex::wakeAll(abandoned);
  currentThread = nullptr;
  releaseReference();
}

void ThreadObject::waitWhileSuspended() {
  for (;;) {
    int32_t count = suspendCount.load(std::memory_order_acquire);
    if (count <= 0) return;
    Futex::wait(suspendCount, count);
  }
}

DWORD ThreadObject::suspend() {
  bool self = current() == this;
  bool signalled = false;
  DWORD previous;
  {
    SignalBlock block;
    std::lock_guard<std::mutex> guard(mutex);
    previous = static_cast<DWORD>(suspendCount.load(std::memory_order_relaxed));
    if (previous >= MAXIMUM_SUSPEND_COUNT) {
      SetLastError(kErrorSignalRefused);
      return static_cast<DWORD>(-1);
    }
    suspendCount.store(static_cast<int32_t>(previous + 1), std::memory_order_release);
    // A count above 0 already holds the thread (in the handler, in its own suspension, or before its
    // start), and an ended thread has nothing left to hold.
    if (!self && previous == 0 && !hasEnded()) {
      sendSignal(tid.load(std::memory_order_relaxed), ThreadSignals::suspendSignal());
      signalled = true;
    }
  }
  if (self) {
    waitWhileSuspended();
  } else if (signalled) {
    // Win32 callers expect the thread to be stopped once SuspendThread returns.
    while (parked.load(std::memory_order_acquire) == 0 && suspendCount.load(std::memory_order_acquire) > 0 &&
           !hasEnded() && abandoned.load(std::memory_order_acquire) == 0)
      Futex::wait(parked, 0, kPollNs);
  }
  return previous;
}

DWORD ThreadObject::resume() {
  SignalBlock block;
  std::lock_guard<std::mutex> guard(mutex);
  int32_t previous = suspendCount.load(std::memory_order_relaxed);
  if (previous > 0) {
    suspendCount.store(previous - 1, std::memory_order_release);
    if (previous == 1) Futex::wakeAll(suspendCount);
  }
  return static_cast<DWORD>(previous);
}

void ThreadObject::parkWhileSuspended() {
  parked.store(1, std::memory_order_release);
  Futex::wakeAll(parked);
  waitWhileSuspended();
  parked.store(0, std::memory_order_release);
}

void ThreadObject::terminate(DWORD exitCode) {
  {
    SignalBlock block;
    std::lock_guard<std::mutex> guard(mutex);
    if (hasEnded()) return;
    if (terminating.load(std::memory_order_relaxed) == 0) {
      terminateCode = exitCode;
      terminating.store(1, std::memory_order_release);
      sendSignal(tid.load(std::memory_order_relaxed), ThreadSignals::terminateSignal());
    }
  }
  while (abandoned.load(std::memory_order_acquire) == 0 && !hasEnded()) Futex::wait(abandoned, 0, kPollNs);
}

void ThreadObject::terminateSelf(DWORD exitCode) {
  {
    SignalBlock block;
    std::lock_guard<std::mutex> guard(mutex);
    if (terminating.load(std::memory_order_relaxed) == 0) {
      terminateCode = exitCode;
      terminating.store(1, std::memory_order_release);
    }
  }
  abandoned.store(1, std::memory_order_release);
  Futex::wakeAll(abandoned);
  ThreadSignals::block();
  siglongjmp(startJump, 1);
}

void ThreadObject::abandonIfTerminating() {
  if (terminating.load(std::memory_order_acquire) == 0) return;
  abandoned.store(1, std::memory_order_release);
  Futex::wakeAll(abandoned);
  siglongjmp(startJump, 1);
}

void ThreadObject::setPriority(int value) {
  priorityValue.store(value, std::memory_order_relaxed);
  SignalBlock block;
  std::lock_guard<std::mutex> guard(mutex);
  // After the end the identifier may already belong to another thread.
  if (!hasEnded()) ThreadNice::apply(tid.load(std::memory_order_relaxed), value);
}

DWORD ThreadObject::exitCode() const {
  if (!hasEnded()) return STILL_ACTIVE;
  return finalCode;
}

DWORD ThreadObject::waitFor(DWORD timeoutMs) {
  int64_t deadline = timeoutMs == INFINITE ? -1 : Futex::nowNs() + static_cast<int64_t>(timeoutMs) * 1000000;
  for (;;) {
    if (hasEnded()) return WAIT_OBJECT_0;
    int64_t left = -1;
    if (deadline >= 0) {
      left = deadline - Futex::nowNs();
      if (left <= 0) return WAIT_TIMEOUT;
    }
    Futex::wait(ended, 0, left);
  }
}

}  // namespace platform::kernel::thread
