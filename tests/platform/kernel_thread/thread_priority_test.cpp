#include <gtest/gtest.h>
#include <win/error.h>
#include <win/thread.h>

#include "platform/kernel_thread/Spinner.h"

namespace {

using kernel_thread::Spinner;

TEST(ThreadPriority, StoresEveryAcceptedValue) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start(CREATE_SUSPENDED));
  EXPECT_EQ(GetThreadPriority(spinner.handle), THREAD_PRIORITY_NORMAL);
  for (int priority : {THREAD_PRIORITY_IDLE, THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_TIME_CRITICAL,
                       THREAD_PRIORITY_NORMAL}) {
    EXPECT_TRUE(SetThreadPriority(spinner.handle, priority)) << priority;
    EXPECT_EQ(GetThreadPriority(spinner.handle), priority);
  }
  ResumeThread(spinner.handle);
}

TEST(ThreadPriority, RefusesOtherValuesAndKeepsTheLastOne) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start(CREATE_SUSPENDED));
  ASSERT_TRUE(SetThreadPriority(spinner.handle, THREAD_PRIORITY_BELOW_NORMAL));
  for (int priority : {3, -3, 14, -16, 100, THREAD_PRIORITY_ERROR_RETURN}) {
    SetLastError(0);
    EXPECT_FALSE(SetThreadPriority(spinner.handle, priority)) << priority;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetThreadPriority(spinner.handle), THREAD_PRIORITY_BELOW_NORMAL);
  }
  ResumeThread(spinner.handle);
}

TEST(ThreadPriority, SurvivesTheEndOfTheThread) {
  Spinner spinner;
  ASSERT_TRUE(spinner.start());
  ASSERT_TRUE(SetThreadPriority(spinner.handle, THREAD_PRIORITY_LOWEST));
  spinner.stop = true;
  ASSERT_EQ(WaitForSingleObject(spinner.handle, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(GetThreadPriority(spinner.handle), THREAD_PRIORITY_LOWEST);
  EXPECT_TRUE(SetThreadPriority(spinner.handle, THREAD_PRIORITY_NORMAL));
}

}  // namespace
