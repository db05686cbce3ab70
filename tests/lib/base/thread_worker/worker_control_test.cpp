#include <gtest/gtest.h>
#include <win/thread.h>
#include <win/time.h>

#include <atomic>

#include "base/thread/win/Thread.h"
#include "lib/base/thread_worker/Recorder.h"

namespace {

using s::thread::ITask;
using s::thread::win::Thread;
using thread_worker::becomesIdle;
using thread_worker::Recorder;

class WorkerControl : public ::testing::Test {
 protected:
  void SetUp() override { thread = Thread::acquire(); }
  void TearDown() override { thread->release(); }
  Thread* thread = nullptr;
};

// Never returns while spinning is set, counting its turns.
class Spin : public ITask {
 public:
  void run() override {
    entered = true;
    while (spinning.load()) turns.fetch_add(1);
  }
  std::atomic<bool> spinning{true};
  std::atomic<bool> entered{false};
  std::atomic<uint64_t> turns{0};
};

TEST_F(WorkerControl, StopLetsTheRunInProgressComplete) {
  Recorder task;
  task.hold();
  thread->runForever(&task);
  ASSERT_TRUE(task.waitForStarts(1));
  thread->stop();
  Sleep(20);
  EXPECT_FALSE(thread->isIdle());
  task.release();
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_EQ(task.started.load(), 1);
  EXPECT_EQ(task.finished.load(), 1);
}

TEST_F(WorkerControl, SuspendFreezesTheWorkerOutsideItsLock) {
  Spin task;
  thread->runOnce(&task);
  ASSERT_TRUE(Recorder::waitFor([&] { return task.entered.load(); }, 5000));
  thread->suspend();
  uint64_t frozen = task.turns.load();
  Sleep(30);
  EXPECT_EQ(task.turns.load(), frozen);
  // The lock is free while the worker is frozen: operations that take it return.
  thread->setDelay(0);
  EXPECT_EQ(thread->resume(), 1u);
  EXPECT_TRUE(Recorder::waitFor([&] { return task.turns.load() != frozen; }, 5000));
  task.spinning = false;
  EXPECT_TRUE(becomesIdle(thread));
}

TEST_F(WorkerControl, ResumeOutlastsExtraSuspensions) {
  for (int i = 0; i < 3; ++i) thread->suspend();
  Recorder task;
  thread->runOnce(&task);
  EXPECT_TRUE(becomesIdle(thread));
  EXPECT_EQ(task.finished.load(), 1);
}

TEST_F(WorkerControl, RestartReplacesAStuckWorkerAndKeepsItsPriority) {
  for (int32_t timeoutMs : {200, 0, -50}) {
    Spin task;
    ASSERT_TRUE(thread->setPriority(THREAD_PRIORITY_BELOW_NORMAL));
    uint32_t oldId = thread->getThreadId();
    thread->runOnce(&task);
    ASSERT_TRUE(Recorder::waitFor([&] { return task.entered.load(); }, 5000));
    ULONGLONG startMs = GetTickCount64();
    thread->waitUntilIdleOrRestart(timeoutMs);
    ULONGLONG waitedMs = GetTickCount64() - startMs;
    if (timeoutMs > 0) {
      EXPECT_GE(waitedMs, static_cast<ULONGLONG>(timeoutMs) - 20);
    } else {
      EXPECT_LT(waitedMs, 1000u);
    }
    EXPECT_TRUE(thread->isIdle());
    EXPECT_NE(thread->getThreadId(), oldId);
    EXPECT_EQ(thread->getPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    // The abandoned run does not go on.
    uint64_t last = task.turns.load();
    Sleep(20);
    EXPECT_EQ(task.turns.load(), last);
    // The fresh worker takes requests.
    Recorder next;
    thread->runOnce(&next);
    ASSERT_TRUE(becomesIdle(thread));
    EXPECT_EQ(next.finished.load(), 1);
  }
}

TEST_F(WorkerControl, RestartOfAnIdleThreadKeepsItsWorker) {
  uint32_t id = thread->getThreadId();
  thread->waitUntilIdleOrRestart(0);
  EXPECT_EQ(thread->getThreadId(), id);
}

TEST_F(WorkerControl, RestartNeverLeavesTheLockOwned) {
  // A worker turning fast through its lock is terminated wherever it happens to be.
  Recorder task;
  for (int round = 0; round < 40; ++round) {
    thread->runForever(&task);
    thread->waitUntilIdleOrRestart(0);
    // Each of these takes the lock, and would hang on a lock left owned.
    thread->setDelay(0);
    thread->stop();
    ASSERT_TRUE(becomesIdle(thread)) << round;
  }
  Recorder last;
  thread->runOnce(&last);
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_EQ(last.finished.load(), 1);
}

TEST_F(WorkerControl, RequestsAfterTheEndAreRefused) {
  Thread* ended = Thread::acquire();
  ended->end();
  Recorder task;
  ended->runOnce(&task);
  EXPECT_TRUE(ended->isIdle());
  // None of the waiting operations hangs on an ended worker.
  ended->waitUntilIdle();
  ended->waitUntilEnded();
  ended->stopAndWait();
  ended->waitUntilIdleOrRestart(0);
  EXPECT_EQ(ended->resume(), 0u);
  Sleep(10);
  EXPECT_EQ(task.started.load(), 0);
  // Its destruction (a released thread is kept, so destroy it directly) skips the ended worker.
  ended->s::base::IObject::destroy(1);
}

TEST_F(WorkerControl, EndFinishesTheCurrentRunFirst) {
  Thread* worker = Thread::acquire();
  Recorder task(100);
  worker->runForever(&task);
  ASSERT_TRUE(task.waitForStarts(1));
  worker->end();
  EXPECT_EQ(task.finished.load(), task.started.load());
  EXPECT_TRUE(worker->isIdle());
  worker->s::base::IObject::destroy(1);
}

TEST_F(WorkerControl, PriorityIsStoredOnlyWhenAccepted) {
  EXPECT_EQ(thread->getPriority(), THREAD_PRIORITY_NORMAL);
  EXPECT_TRUE(thread->setPriority(THREAD_PRIORITY_LOWEST));
  EXPECT_EQ(thread->getPriority(), THREAD_PRIORITY_LOWEST);
  EXPECT_FALSE(thread->setPriority(7));
  EXPECT_EQ(thread->getPriority(), THREAD_PRIORITY_LOWEST);
}

struct RunLog {
  static std::atomic<ITask*> seen;
  static std::atomic<int> calls;
  static void record(ITask* self) {
    seen = self;
    calls.fetch_add(1);
  }
};
std::atomic<ITask*> RunLog::seen{nullptr};
std::atomic<int> RunLog::calls{0};

TEST_F(WorkerControl, AThreadCanBeHandedItselfAsTheTask) {
  RunLog::calls = 0;
  thread->run();  // no run function yet: nothing happens
  EXPECT_EQ(RunLog::calls.load(), 0);
  thread->setRunFunction(&RunLog::record);
  thread->runTimes(thread, 2);
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_EQ(RunLog::calls.load(), 2);
  EXPECT_EQ(RunLog::seen.load(), static_cast<ITask*>(thread));
}

}  // namespace
