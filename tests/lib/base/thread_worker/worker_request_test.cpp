#include <gtest/gtest.h>
#include <win/thread.h>
#include <win/time.h>

#include "base/thread/win/Thread.h"
#include "lib/base/thread_worker/Recorder.h"

namespace {

using s::thread::win::Thread;
using thread_worker::becomesIdle;
using thread_worker::Recorder;

class WorkerRequest : public ::testing::Test {
 protected:
  void SetUp() override { thread = Thread::acquire(); }
  void TearDown() override { thread->release(); }
  Thread* thread = nullptr;
};

TEST_F(WorkerRequest, ANewThreadIsIdleAndHasAWorker) {
  EXPECT_TRUE(thread->isIdle());
  EXPECT_NE(thread->getThreadId(), 0u);
  EXPECT_EQ(thread->getClassName(), Thread::kClassName);
}

TEST_F(WorkerRequest, RunOnceAndRunTimesRunTheTaskThatOften) {
  for (int count : {1, 3}) {
    Recorder task;
    if (count == 1)
      thread->runOnce(&task);
    else
      thread->runTimes(&task, count);
    ASSERT_TRUE(becomesIdle(thread));
    EXPECT_EQ(task.finished.load(), count);
  }
}

TEST_F(WorkerRequest, ZeroOrBadCountsWakeTheWorkerWithoutRunning) {
  for (int count : {0, -2, -100}) {
    Recorder task;
    thread->runTimes(&task, count);
    // The request marks the thread busy; only the worker, having found no work, makes it idle again.
    ASSERT_TRUE(becomesIdle(thread)) << count;
    Sleep(10);
    EXPECT_EQ(task.started.load(), 0) << count;
  }
}

TEST_F(WorkerRequest, PausesAfterEachRunButTheLast) {
  Recorder task;
  thread->runTimesWithPause(&task, 3, 200);
  ASSERT_TRUE(task.waitForStarts(3));
  ASSERT_TRUE(becomesIdle(thread));
  ULONGLONG idleMs = GetTickCount64();
  EXPECT_EQ(task.finished.load(), 3);
  for (int i = 1; i < 3; ++i) EXPECT_GE(task.startMs[i] - task.endMs[i - 1], 190u) << "pause before run " << i;
  // No pause follows the third run: the thread goes idle well before another 200 ms.
  EXPECT_LT(idleMs - task.endMs[2], 150u);
}

TEST_F(WorkerRequest, PeriodCountsFromTheStartOfEachRun) {
  Recorder task(150);
  thread->runTimesAtPeriod(&task, 3, 300);
  ASSERT_TRUE(task.waitForStarts(3));
  ASSERT_TRUE(becomesIdle(thread));
  for (int i = 1; i < 3; ++i) {
    ULONGLONG gap = task.startMs[i] - task.startMs[i - 1];
    // A pause after the run would make the gap 450 ms.
    EXPECT_GE(gap, 290u) << i;
    EXPECT_LT(gap, 420u) << i;
  }
}

TEST_F(WorkerRequest, ARunLongerThanThePeriodIsFollowedAtOnce) {
  Recorder task(250);
  thread->runForeverAtPeriod(&task, 150);
  ASSERT_TRUE(task.waitForStarts(3));
  thread->stopAndWait();
  for (int i = 1; i < 3; ++i) {
    // Waiting for another period after the late run would leave a gap of 150 ms.
    EXPECT_LT(task.startMs[i] - task.endMs[i - 1], 100u) << i;
  }
}

TEST_F(WorkerRequest, ForeverWithPauseKeepsPausing) {
  Recorder task;
  thread->runForeverWithPause(&task, 50);
  ASSERT_TRUE(task.waitForStarts(3));
  thread->stopAndWait();
  for (int i = 1; i < 3; ++i) EXPECT_GE(task.startMs[i] - task.endMs[i - 1], 45u);
}

TEST_F(WorkerRequest, NegativePausesAndPeriodsDoNotHang) {
  Recorder task;
  thread->runTimesWithPause(&task, 3, -5);
  ASSERT_TRUE(becomesIdle(thread));
  thread->runTimesAtPeriod(&task, 3, -5);
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_EQ(task.finished.load(), 6);
}

TEST_F(WorkerRequest, ANullTaskCountsDownItsRuns) {
  thread->runTimesWithPause(nullptr, 5, 1000);
  // No run, so no pause either: the five turns are over quickly.
  EXPECT_TRUE(becomesIdle(thread, 900));
}

TEST_F(WorkerRequest, ANullTaskForeverKeepsTurningUntilStopped) {
  thread->runForever(nullptr);
  Sleep(50);
  EXPECT_FALSE(thread->isIdle());
  thread->stop();
  EXPECT_TRUE(becomesIdle(thread));
}

TEST_F(WorkerRequest, ARequestClearsAPendingDelay) {
  Recorder task;
  thread->setDelay(1500);
  ULONGLONG askedMs = GetTickCount64();
  thread->runOnce(&task);
  ASSERT_TRUE(task.waitForStarts(1));
  EXPECT_LT(task.startMs[0] - askedMs, 1000u);
  EXPECT_TRUE(becomesIdle(thread));
}

TEST_F(WorkerRequest, ADelayAfterARequestSleepsAtTheNextTurn) {
  Recorder task;
  task.hold();
  thread->runOnce(&task);
  ASSERT_TRUE(task.waitForStarts(1));
  thread->setDelay(500);
  ULONGLONG releasedMs = GetTickCount64();
  task.release();
  // The turn after the run sleeps first, so the thread goes idle only after the delay.
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_GE(GetTickCount64() - releasedMs, 490u);
  EXPECT_EQ(task.finished.load(), 1);
}

TEST_F(WorkerRequest, ANewRequestReplacesTheUnfinishedOne) {
  Recorder first, second;
  first.hold();
  thread->runForever(&first);
  ASSERT_TRUE(first.waitForStarts(1));
  thread->runTimes(&second, 2);
  // The run in progress completes first.
  Sleep(20);
  EXPECT_EQ(second.started.load(), 0);
  first.release();
  ASSERT_TRUE(becomesIdle(thread));
  EXPECT_EQ(first.finished.load(), 1);
  EXPECT_EQ(second.finished.load(), 2);
}

}  // namespace
