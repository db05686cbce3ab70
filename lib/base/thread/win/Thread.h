// The library's worker thread: a pooled object that owns one system thread for its whole life. The
// system thread is created suspended; on request it runs a task once, a number of times or without
// end, optionally pausing after each run or keeping a period, and between requests it suspends
// itself. Requesters and the worker meet in a command block guarded by the object's lock; because the
// suspended system thread is pooled with the object, taking a worker costs no thread creation.
//
// How the hard cases are settled:
// - A request that arrives while the worker is between its idle read and its self-suspension is not
//   lost: the worker announces that window in a turn word, and resume keeps resuming until the
//   worker has left the announced turn (it then sees the request).
// - resume stops as soon as the system reports failure, so a thread without a worker never loops.
// - waitUntilIdleOrRestart terminates the system thread only while holding the lock, so the worker is
//   in its task, asleep, suspended or waiting for the lock, and never leaves it owned.
// - A run request on a thread without a worker, whose worker has ended or has been asked to end, is
//   refused: nothing changes and the thread stays idle (otherwise it would look busy for ever).
//   A worker that leaves its loop marks itself idle, so waiting for idleness after end returns.
// - Negative pauses, periods and delays count as 0; run counts below -1 as 0.
#pragma once

#include <win/thread.h>

#include <atomic>
#include <cstdint>

#include "base/thread/EasyPooler.h"
#include "base/thread/IThread.h"
#include "base/thread/ObjLocker.h"

namespace s::thread::win {

class Thread : public IThread {
  S_CLASS_NAME(u"s_thread_win_Thread")
  S_POOLED(Thread)

 public:
  Thread();
  // Ends the worker (it finishes its current run first) and closes its handle.
  ~Thread() override;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Waits for a busy thread's current run, then leaves the worker suspended and idle at normal
  // priority for the next user of the pool.
  void reset() override;
  // Calls the run function with this thread's task part; nothing when none is set.
  void run() override;

  uint32_t getThreadId() override;
  void runOnce(ITask* task) override;
  void runTimes(ITask* task, int32_t count) override;
  void runTimesWithPause(ITask* task, int32_t count, int32_t pauseMs) override;
  void runTimesAtPeriod(ITask* task, int32_t count, int32_t periodMs) override;
  void runForever(ITask* task) override;
  void runForeverWithPause(ITask* task, int32_t pauseMs) override;
  void runForeverAtPeriod(ITask* task, int32_t periodMs) override;
  bool isIdle() override;
  void waitUntilIdle() override;
  void waitUntilIdleOrRestart(int32_t timeoutMs) override;
  void stop() override;
  void stopAndWait() override;
  void waitUntilEnded() override;
  void requestEnd() override;
  void end() override;
  void setDelay(int32_t ms) override;
  uint32_t resume() override;
  void suspend() override;
  int32_t getPriority() override;
  bool setPriority(int32_t priority) override;
  void setRunFunction(RunFunction function) override;

 private:
  enum PauseMode : int32_t { kNoPause = 0, kPauseAfterRun = 1, kPeriod = 2 };

  // What requesters and the worker share; the worker's start parameter. Everything but idle, ended
  // and suspendTurn is read and written under the lock.
  struct CommandBlock {
    ObjLocker* lockRef = nullptr;
    HANDLE ownHandle = nullptr;
    int32_t delayMs = 0;
    ITask* task = nullptr;
    int32_t remaining = 0;  // -1 = without end
    int32_t pauseMode = kNoPause;
    int32_t intervalMs = 0;
    std::atomic<bool> idle{true};
    bool endRequested = false;
    std::atomic<bool> ended{false};
    // (turn << 1) | 1 while the worker is between its idle read and the end of its self-suspension,
    // turn << 1 otherwise; the turn grows each time the worker leaves that window.
    std::atomic<uint64_t> suspendTurn{0};
  };

  static DWORD WINAPI workerLoop(LPVOID parameter);
  static void suspendIfIdle(CommandBlock* block);
  static void pauseAfterRun(int32_t pauseMode, int32_t intervalMs, ULONGLONG startedMs);
  static void sleepMs(int32_t ms);

  // Makes a fresh, suspended, idle system thread (the object has none when creation fails).
  void startWorker();
  void request(ITask* task, int32_t remaining, int32_t pauseMode, int32_t intervalMs);

  HANDLE handle = nullptr;
  uint32_t threadId = 0;
  ObjLocker lock;
  CommandBlock block;
  int32_t priority = THREAD_PRIORITY_NORMAL;
  RunFunction runFunction = nullptr;
};

}  // namespace s::thread::win
