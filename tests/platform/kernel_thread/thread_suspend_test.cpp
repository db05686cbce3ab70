#include <gtest/gtest.h>
#include <win/error.h>
#include <win/thread.h>
#include <win/time.h>

#include <atomic>

#include "platform/kernel_thread/Spinner.h"

namespace {

using kernel_thread::Spinner;

TEST(SuspendThread, FreezesAThreadSpinningInUserCode) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  ASSERT_TRUE(spinner.advancesWithin(2000));
  ASSERT_EQ(SuspendThread(spinner.handle), 0u);
  // Once SuspendThread returns the thread runs no more of its code.
  uint64_t frozen = spinner.turns.load();
  Sleep(50);
  EXPECT_EQ(spinner.turns.load(), frozen);
  EXPECT_EQ(ResumeThread(spinner.handle), 1u);
  EXPECT_TRUE(spinner.advancesWithin(2000));
}

TEST(SuspendThread, CountsNestedSuspensions) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  for (DWORD expected = 0; expected < 3; ++expected) EXPECT_EQ(SuspendThread(spinner.handle), expected);
  uint64_t frozen = spinner.turns.load();
  for (DWORD expected = 3; expected > 1; --expected) {
    EXPECT_EQ(ResumeThread(spinner.handle), expected);
    Sleep(10);
    EXPECT_EQ(spinner.turns.load(), frozen) << "runs with a count of " << expected - 1;
  }
  EXPECT_EQ(ResumeThread(spinner.handle), 1u);
  EXPECT_TRUE(spinner.advancesWithin(2000));
  EXPECT_EQ(ResumeThread(spinner.handle), 0u);
}

TEST(SuspendThread, AddsToTheCountOfAThreadCreatedSuspended) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start(CREATE_SUSPENDED));
  EXPECT_EQ(SuspendThread(spinner.handle), 1u);
  EXPECT_EQ(ResumeThread(spinner.handle), 2u);
  EXPECT_FALSE(spinner.advancesWithin(30));
  EXPECT_EQ(ResumeThread(spinner.handle), 1u);
  EXPECT_TRUE(spinner.advancesWithin(2000));
}

TEST(SuspendThread, RefusesToPassTheMaximumCount) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start(CREATE_SUSPENDED));
  for (DWORD count = 1; count < MAXIMUM_SUSPEND_COUNT; ++count) ASSERT_EQ(SuspendThread(spinner.handle), count);
  SetLastError(0);
  EXPECT_EQ(SuspendThread(spinner.handle), static_cast<DWORD>(-1));
  EXPECT_NE(GetLastError(), 0u);
  for (DWORD count = MAXIMUM_SUSPEND_COUNT; count > 0; --count) ASSERT_EQ(ResumeThread(spinner.handle), count);
  EXPECT_TRUE(spinner.advancesWithin(2000));
}

struct SelfSuspender {
  std::atomic<int> stage{0};
  std::atomic<DWORD> previous{99};
  HANDLE own = nullptr;
};

DWORD WINAPI suspendSelf(LPVOID parameter) {
  auto* self = static_cast<SelfSuspender*>(parameter);
  self->stage = 1;
  self->previous = SuspendThread(GetCurrentThread());
  self->stage = 2;
  // The thread's real handle works on itself too.
  SuspendThread(self->own);
  self->stage = 3;
  return 0;
}

TEST(SuspendThread, AThreadThatSuspendsItselfWaitsForAResume) {
  SelfSuspender state;
  HANDLE thread = CreateThread(nullptr, 0, suspendSelf, &state, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  state.own = thread;
  ResumeThread(thread);
  while (state.stage.load() == 0) Sleep(1);
  Sleep(30);
  EXPECT_EQ(state.stage.load(), 1);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

  // Resuming may come a little before the thread has reached its suspension: the count decides.
  DWORD count;
  while ((count = ResumeThread(thread)) == 0) Sleep(1);
  EXPECT_EQ(count, 1u);
  while (state.stage.load() < 2) Sleep(1);
  EXPECT_EQ(state.previous.load(), 0u);

  while ((count = ResumeThread(thread)) == 0) Sleep(1);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(state.stage.load(), 3);
  CloseHandle(thread);
}

TEST(SuspendThread, MainThreadCannotSuspendItselfForGood) {
  // No other thread holds a handle to it, so nothing could ever resume it.
  EXPECT_EQ(SuspendThread(GetCurrentThread()), static_cast<DWORD>(-1));
  EXPECT_EQ(ResumeThread(GetCurrentThread()), 0u);
}

struct Sleeper {
  std::atomic<ULONGLONG> slept{0};
};

DWORD WINAPI sleepAWhile(LPVOID parameter) {
  ULONGLONG start = GetTickCount64();
  Sleep(150);
  static_cast<Sleeper*>(parameter)->slept = GetTickCount64() - start;
  return 0;
}

TEST(SuspendThread, ABlockedThreadResumesWhereItWas) {
  Sleeper sleeper;
  HANDLE thread = CreateThread(nullptr, 0, sleepAWhile, &sleeper, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  Sleep(20);
  // Suspended inside its sleep and back: the sleep neither ends early nor fails.
  ASSERT_EQ(SuspendThread(thread), 0u);
  Sleep(20);
  ASSERT_EQ(ResumeThread(thread), 1u);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_GE(sleeper.slept.load(), 150u);
  CloseHandle(thread);
}

TEST(SuspendThread, ManyQuickCyclesLoseNoWakeUp) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  for (int cycle = 0; cycle < 300; ++cycle) {
    ASSERT_EQ(SuspendThread(spinner.handle), 0u);
    ASSERT_EQ(ResumeThread(spinner.handle), 1u);
  }
  EXPECT_TRUE(spinner.advancesWithin(2000));
  spinner.stop = true;
  EXPECT_EQ(WaitForSingleObject(spinner.handle, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(spinner.handle, &code);
  EXPECT_EQ(code, 42u);
}

TEST(SuspendThread, AnEndedThreadCanStillBeCounted) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  spinner.stop = true;
  ASSERT_EQ(WaitForSingleObject(spinner.handle, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(SuspendThread(spinner.handle), 0u);
  EXPECT_EQ(ResumeThread(spinner.handle), 1u);
  EXPECT_EQ(ResumeThread(spinner.handle), 0u);
}

}  // namespace
