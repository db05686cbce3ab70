#include <gtest/gtest.h>
#include <win/error.h>
#include <win/thread.h>

#include <atomic>

#include "platform/kernel_thread/Spinner.h"

namespace {

using kernel_thread::Spinner;

void expectEndedWith(HANDLE thread, DWORD code) {
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  DWORD seen = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &seen));
  EXPECT_EQ(seen, code);
}

TEST(TerminateThread, EndsASpinningThreadWithTheGivenCode) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  ASSERT_TRUE(spinner.advancesWithin(2000));
  ASSERT_TRUE(TerminateThread(spinner.handle, 5));
  // It runs none of its code after TerminateThread returns.
  uint64_t last = spinner.turns.load();
  expectEndedWith(spinner.handle, 5);
  EXPECT_EQ(spinner.turns.load(), last);
}

TEST(TerminateThread, EndsSuspendedThreads) {
  for (bool createdSuspended : {true, false}) {
    Spinner spinner;
    ASSERT_TRUE(spinner.start(createdSuspended ? CREATE_SUSPENDED : 0));
    if (!createdSuspended) {
      ASSERT_EQ(SuspendThread(spinner.handle), 0u);
    }
    uint64_t last = spinner.turns.load();
    ASSERT_TRUE(TerminateThread(spinner.handle, 9));
    expectEndedWith(spinner.handle, 9);
    EXPECT_EQ(spinner.turns.load(), last);
    if (createdSuspended) {
      EXPECT_EQ(last, 0u);
    }
  }
}

DWORD WINAPI sleepLong(LPVOID) {
  Sleep(60000);
  return 1;
}

TEST(TerminateThread, EndsABlockedThread) {
  HANDLE thread = CreateThread(nullptr, 0, sleepLong, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  Sleep(10);
  ASSERT_TRUE(TerminateThread(thread, 3));
  expectEndedWith(thread, 3);
  CloseHandle(thread);
}

TEST(TerminateThread, KeepsTheCodeOfAThreadThatHasEnded) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  spinner.stop = true;
  expectEndedWith(spinner.handle, 42);
  EXPECT_TRUE(TerminateThread(spinner.handle, 1));
  expectEndedWith(spinner.handle, 42);
}

struct SelfEnder {
  std::atomic<bool> after{false};
};

DWORD WINAPI endSelf(LPVOID parameter) {
  TerminateThread(GetCurrentThread(), 11);
  static_cast<SelfEnder*>(parameter)->after = true;
  return 0;
}

TEST(TerminateThread, AThreadCanEndItself) {
  SelfEnder state;
  HANDLE thread = CreateThread(nullptr, 0, endSelf, &state, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  expectEndedWith(thread, 11);
  EXPECT_FALSE(state.after.load());
  CloseHandle(thread);
}

TEST(TerminateThread, AClosedHandleLetsTheRecordGoAfterTheEnd) {
  // Terminate, then close, then make more threads: the table and records stay consistent.
  for (int round = 0; round < 20; ++round) {
    Spinner spinner;
    ASSERT_TRUE(spinner.start());
    ASSERT_TRUE(TerminateThread(spinner.handle, 0));
    ASSERT_TRUE(CloseHandle(spinner.handle));
    spinner.handle = nullptr;
  }
}

TEST(TerminateThread, TheMainThreadCannotBeEndedThroughItsPseudoHandle) {
  SetLastError(0);
  EXPECT_FALSE(TerminateThread(GetCurrentThread(), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
