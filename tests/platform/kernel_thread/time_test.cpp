#include <gtest/gtest.h>
#include <win/error.h>
#include <win/thread.h>
#include <win/time.h>

namespace {

TEST(Time, SleepLastsAtLeastItsTimeOnEveryClock) {
  LARGE_INTEGER frequency, before, after;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_GT(frequency.QuadPart, 0);
  ULONGLONG ticksBefore = GetTickCount64();
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  Sleep(60);
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  ULONGLONG ticksAfter = GetTickCount64();
  EXPECT_GE(ticksAfter - ticksBefore, 60u);
  EXPECT_GE((after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart, 60);
  // Generous: this checks that the clocks agree, not how fast the machine is.
  EXPECT_LT(ticksAfter - ticksBefore, 5000u);
}

TEST(Time, TickCountIsTheLowPartOfTheWideCount) {
  ULONGLONG wide = GetTickCount64();
  DWORD narrow = GetTickCount();
  EXPECT_LE(static_cast<DWORD>(narrow - static_cast<DWORD>(wide)), 1000u);
}

TEST(Time, CountersNeverGoBack) {
  LARGE_INTEGER last;
  QueryPerformanceCounter(&last);
  ULONGLONG lastTicks = GetTickCount64();
  for (int i = 0; i < 10000; ++i) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    ULONGLONG ticks = GetTickCount64();
    ASSERT_GE(now.QuadPart, last.QuadPart);
    ASSERT_GE(ticks, lastTicks);
    last = now;
    lastTicks = ticks;
  }
}

TEST(Time, NullArgumentsFail) {
  SetLastError(0);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
}

TEST(Time, ZeroSleepAndSwitchOnlyYield) {
  ULONGLONG before = GetTickCount64();
  for (int i = 0; i < 100; ++i) {
    Sleep(0);
    EXPECT_TRUE(SwitchToThread());
  }
  EXPECT_LT(GetTickCount64() - before, 5000u);
}

}  // namespace
