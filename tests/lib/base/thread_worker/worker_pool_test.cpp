#include <gtest/gtest.h>
#include <win/thread.h>
#include <win/time.h>

#include <atomic>

#include "base/thread/win/Thread.h"
#include "lib/base/thread_worker/Recorder.h"

namespace {

using s::thread::win::Thread;
using thread_worker::becomesIdle;
using thread_worker::Recorder;

TEST(WorkerPool, AReleasedThreadComesBackResetWithItsSystemThread) {
  Thread* thread = Thread::acquire();
  uint32_t id = thread->getThreadId();
  thread->setPriority(THREAD_PRIORITY_LOWEST);
  Recorder task;
  thread->runOnce(&task);
  ASSERT_TRUE(becomesIdle(thread));
  thread->release();

  Thread* again = Thread::acquire();
  ASSERT_EQ(again, thread);
  EXPECT_EQ(again->getThreadId(), id);
  EXPECT_TRUE(again->isIdle());
  EXPECT_EQ(again->getPriority(), THREAD_PRIORITY_NORMAL);
  // The reset suspended the worker once more; a request still wakes it.
  again->runOnce(&task);
  ASSERT_TRUE(becomesIdle(again));
  EXPECT_EQ(task.finished.load(), 2);
  again->release();
}

TEST(WorkerPool, ReleasingABusyThreadWaitsForItsCurrentRun) {
  Thread* thread = Thread::acquire();
  Recorder task(150);
  thread->runForever(&task);
  ASSERT_TRUE(task.waitForStarts(1));
  thread->release();
  EXPECT_EQ(task.finished.load(), task.started.load());
  int runs = task.started.load();
  Sleep(200);
  EXPECT_EQ(task.started.load(), runs);
}

TEST(WorkerPool, RequestsRightAfterTheWorkerWentIdleAreNeverLost) {
  // Each request lands while the worker is going idle after the previous run: between its idle
  // mark and its self-suspension.
  Thread* thread = Thread::acquire();
  Recorder task;
  for (int round = 1; round <= 2000; ++round) {
    thread->runOnce(&task);
    ASSERT_TRUE(Recorder::waitFor([&] { return task.finished.load() >= round; }, 5000)) << round;
  }
  ASSERT_TRUE(becomesIdle(thread));
  thread->release();
}

TEST(WorkerPool, ReleaseAndAcquireRacingTheWorkerLoseNoRequest) {
  Recorder task;
  for (int round = 1; round <= 300; ++round) {
    Thread* thread = Thread::acquire();
    thread->runOnce(&task);
    ASSERT_TRUE(Recorder::waitFor([&] { return task.finished.load() >= round; }, 5000)) << round;
    // Released at once: the reset's suspension races the worker's own.
    thread->release();
  }
}

TEST(WorkerPool, ThreadsWorkSideBySide) {
  constexpr int kThreads = 8;
  Thread* threads[kThreads];
  Recorder tasks[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    threads[i] = Thread::acquire();
    threads[i]->runTimes(&tasks[i], 5);
  }
  for (int i = 0; i < kThreads; ++i) {
    ASSERT_TRUE(becomesIdle(threads[i]));
    EXPECT_EQ(tasks[i].finished.load(), 5);
  }
  for (Thread* thread : threads) thread->release();
}

}  // namespace
