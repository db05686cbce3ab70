// A worker thread: one system thread, kept suspended between requests, that runs a task once, a
// number of times or without end, with an optional pause after each run or at a fixed period.
// Requests come from any thread; a request replaces an unfinished one, after the run in progress.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"
#include "base/thread/ITask.h"

namespace s::thread {

class IThread : public s::base::IObject, public IPoolable, public ITask {
 public:
  // What the thread's own run calls, with the thread's task part as argument.
  using RunFunction = void (*)(ITask* self);

  // The worker's system identifier; 0 when there is no worker.
  virtual uint32_t getThreadId() = 0;

  virtual void runOnce(ITask* task) = 0;
  // A count of -1 runs without end; a count below -1 runs nothing.
  virtual void runTimes(ITask* task, int32_t count) = 0;
  // Sleeps pauseMs after each run but the last.
  virtual void runTimesWithPause(ITask* task, int32_t count, int32_t pauseMs) = 0;
  // Starts each run periodMs after the start of the previous one, or at once when a run took longer.
  virtual void runTimesAtPeriod(ITask* task, int32_t count, int32_t periodMs) = 0;
  virtual void runForever(ITask* task) = 0;
  virtual void runForeverWithPause(ITask* task, int32_t pauseMs) = 0;
  virtual void runForeverAtPeriod(ITask* task, int32_t periodMs) = 0;

  // True while there is no work; read without the lock.
  virtual bool isIdle() = 0;
  // Polls every 20 ms until idle.
  virtual void waitUntilIdle() = 0;
  // Waits up to timeoutMs for idleness; then replaces a still busy system thread with a fresh, idle
  // one of the same priority, abandoning the task that was running.
  virtual void waitUntilIdleOrRestart(int32_t timeoutMs) = 0;
  // Lets the run in progress complete and starts no further one.
  virtual void stop() = 0;
  virtual void stopAndWait() = 0;
  // Waits until the worker has left its loop (or there is no worker).
  virtual void waitUntilEnded() = 0;
  // Asks the worker to leave its loop at its next turn.
  virtual void requestEnd() = 0;
  virtual void end() = 0;
  // A one-time sleep before the worker's next turn; does not wake the worker.
  virtual void setDelay(int32_t ms) = 0;
  // Resumes the worker until it runs; answers the last previous suspend count the system reported
  // ((uint32_t)-1 when the system refused, as for a thread without a worker).
  virtual uint32_t resume() = 0;
  // Suspends the worker once more; the worker is never frozen while it holds the thread's lock.
  virtual void suspend() = 0;
  virtual int32_t getPriority() = 0;
  // A THREAD_PRIORITY_* value; answers the system's success.
  virtual bool setPriority(int32_t priority) = 0;
  virtual void setRunFunction(RunFunction function) = 0;
};

}  // namespace s::thread
