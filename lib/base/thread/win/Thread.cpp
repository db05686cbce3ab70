#include "base/thread/win/Thread.h"

#include <win/thread.h>
#include <win/time.h>

namespace s::thread::win {

S_POOLED_IMPL(Thread, s::thread::EasyPooler::kDefaultLimit)

namespace {

constexpr DWORD kResumeFailed = static_cast<DWORD>(-1);
// The polling steps of the waiting operations.
constexpr DWORD kIdlePollMs = 20;
constexpr DWORD kEndPollMs = 100;

int32_t runCount(int32_t count) { return count < -1 ? 0 : count; }

}  // namespace

Thread::Thread() {
  startWorker();
  reset();
}

Thread::~Thread() {
  if (!handle) return;
  end();
  CloseHandle(handle);
  handle = nullptr;
}

void Thread::reset() {
  if (!block.idle) stopAndWait();
  setPriority(THREAD_PRIORITY_NORMAL);
  suspend();
  block.idle = true;
  runFunction = nullptr;
}

void Thread::run() {
  if (runFunction) runFunction(static_cast<ITask*>(this));
}

void Thread::startWorker() {
  handle = nullptr;
  threadId = 0;
  block.delayMs = 0;
  block.task = nullptr;
  block.remaining = 0;
  block.pauseMode = kNoPause;
  block.intervalMs = 0;
  block.ownHandle = nullptr;
  block.endRequested = false;
  block.ended = false;
  block.idle = true;
  block.lockRef = &lock;
  priority = THREAD_PRIORITY_NORMAL;
  // A new turn, so that a resume still watching a replaced worker's turn lets go.
  block.suspendTurn = ((block.suspendTurn.load() >> 1) + 1) << 1;
  DWORD id = 0;
  HANDLE created = CreateThread(nullptr, 0, &Thread::workerLoop, &block, CREATE_SUSPENDED, &id);
  if (!created) return;
  handle = created;
  threadId = id;
  block.ownHandle = created;
  setPriority(priority);
}

DWORD WINAPI Thread::workerLoop(LPVOID parameter) {
  auto* block = static_cast<CommandBlock*>(parameter);
  ObjLocker& lock = *block->lockRef;
  lock.enter();
  while (!block->endRequested) {
    if (block->delayMs != 0) {
      int32_t delay = block->delayMs;
      block->delayMs = 0;
      lock.leave();
      sleepMs(delay);
    } else if (block->remaining != 0) {
      if (block->remaining != -1) --block->remaining;
      int32_t left = block->remaining;
      int32_t pauseMode = block->pauseMode;
      int32_t intervalMs = block->intervalMs;
      ITask* task = block->task;
      lock.leave();
      ULONGLONG startedMs = GetTickCount64();
      if (task) {
        task->run();
        // No pause after the last run of a counted request.
        if (pauseMode != kNoPause && left != 0) {
          pauseAfterRun(pauseMode, intervalMs, startedMs);
          lock.enter();
          continue;
        }
      }
    } else {
      block->idle = true;
      lock.leave();
    }
    suspendIfIdle(block);
    lock.enter();
  }
  // A worker that has left its loop has no work left.
  block->idle = true;
  lock.leave();
  block->ended = true;
  return 0;
}

void Thread::suspendIfIdle(CommandBlock* block) {
  uint64_t turn = block->suspendTurn.load() >> 1;
  block->suspendTurn = (turn << 1) | 1;
  if (block->idle) SuspendThread(block->ownHandle);
  block->suspendTurn = (turn + 1) << 1;
}

void Thread::pauseAfterRun(int32_t pauseMode, int32_t intervalMs, ULONGLONG startedMs) {
  if (pauseMode == kPauseAfterRun) {
    sleepMs(intervalMs);
    return;
  }
  if (intervalMs <= 0) return;
  // A run that lasted a whole period or more is followed at once by the next.
  ULONGLONG nextMs = startedMs + static_cast<ULONGLONG>(intervalMs);
  ULONGLONG nowMs = GetTickCount64();
  if (nowMs < nextMs) Sleep(static_cast<DWORD>(nextMs - nowMs));
}

void Thread::sleepMs(int32_t ms) {
  if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

uint32_t Thread::getThreadId() { return threadId; }

void Thread::request(ITask* task, int32_t remaining, int32_t pauseMode, int32_t intervalMs) {
  {
    ObjLocker::Scope guard(lock);
    if (!handle || block.ended || block.endRequested) return;
    block.delayMs = 0;
    block.task = task;
    block.remaining = remaining;
    block.pauseMode = pauseMode;
    block.intervalMs = pauseMode == kNoPause ? 0 : intervalMs;
    block.idle = false;
    block.ended = false;
  }
  resume();
}

void Thread::runOnce(ITask* task) { request(task, 1, kNoPause, 0); }

void Thread::runTimes(ITask* task, int32_t count) { request(task, runCount(count), kNoPause, 0); }

void Thread::runTimesWithPause(ITask* task, int32_t count, int32_t pauseMs) {
  request(task, runCount(count), kPauseAfterRun, pauseMs);
}

void Thread::runTimesAtPeriod(ITask* task, int32_t count, int32_t periodMs) {
  request(task, runCount(count), kPeriod, periodMs);
}

void Thread::runForever(ITask* task) { request(task, -1, kNoPause, 0); }

void Thread::runForeverWithPause(ITask* task, int32_t pauseMs) { request(task, -1, kPauseAfterRun, pauseMs); }

void Thread::runForeverAtPeriod(ITask* task, int32_t periodMs) { request(task, -1, kPeriod, periodMs); }

bool Thread::isIdle() { return block.idle; }

void Thread::waitUntilIdle() {
  while (!block.idle) Sleep(kIdlePollMs);
}

void Thread::waitUntilIdleOrRestart(int32_t timeoutMs) {
  while (timeoutMs > 0 && !block.idle) {
    Sleep(kIdlePollMs);
    timeoutMs -= static_cast<int32_t>(kIdlePollMs);
  }
  if (block.idle) return;
  // With the lock held the worker cannot be inside it, so terminating it leaves the lock free.
  ObjLocker::Scope guard(lock);
  // Idle is set under the lock: a worker that finished meanwhile has nothing to abandon.
  if (block.idle) return;
  if (handle) {
    TerminateThread(handle, 0);
    CloseHandle(handle);
  }
  int32_t kept = priority;
  handle = nullptr;
  startWorker();
  setPriority(kept);
}

void Thread::stop() {
  {
    ObjLocker::Scope guard(lock);
    block.remaining = 0;
  }
  resume();
}

void Thread::stopAndWait() {
  stop();
  waitUntilIdle();
}

void Thread::waitUntilEnded() {
  while (!block.ended) {
    // Without a worker, or once the system thread is gone, nothing would ever set ended.
    if (!handle) return;
    resume();
    if (WaitForSingleObject(handle, kEndPollMs) != WAIT_TIMEOUT) return;
  }
}

void Thread::requestEnd() {
  {
    ObjLocker::Scope guard(lock);
    block.endRequested = true;
  }
  resume();
}

void Thread::end() {
  requestEnd();
  waitUntilEnded();
}

void Thread::setDelay(int32_t ms) {
  ObjLocker::Scope guard(lock);
  block.delayMs = ms;
}

uint32_t Thread::resume() {
  HANDLE target;
  {
    // A restart replaces the handle under the lock; a stale one only makes ResumeThread fail.
    ObjLocker::Scope guard(lock);
    target = handle;
  }
  DWORD previous = ResumeThread(target);
  // Resumes while more than one suspension holds the worker (its own plus a reset's, say).
  while (previous != kResumeFailed && previous > 1) previous = ResumeThread(target);
  if (previous == kResumeFailed) return previous;
  uint64_t watched = block.suspendTurn.load();
  if ((watched & 1) == 0) return previous;
  // The worker is between its idle read and the end of its self-suspension; a suspension that began
  // on an idle read older than this request would swallow it, so resume until the worker has left
  // that turn (it then reads the request).
  for (uint32_t spins = 0; block.suspendTurn.load() == watched; ++spins) {
    if (spins < 100)
      SwitchToThread();
    else
      Sleep(1);
    DWORD again = ResumeThread(target);
    if (again == kResumeFailed) return again;
    while (again != kResumeFailed && again > 1) again = ResumeThread(target);
    if (again != 0) previous = again;
  }
  return previous;
}

void Thread::suspend() {
  // Under the lock, so the worker is never frozen while it holds it.
  ObjLocker::Scope guard(lock);
  SuspendThread(handle);
}

int32_t Thread::getPriority() { return handle ? GetThreadPriority(handle) : priority; }

bool Thread::setPriority(int32_t value) {
  if (!SetThreadPriority(handle, value)) return false;
  priority = value;
  return true;
}

void Thread::setRunFunction(RunFunction function) { runFunction = function; }

}  // namespace s::thread::win
