#include <gtest/gtest.h>
#include <win/sync.h>

#include <thread>
#include <vector>

namespace {

struct Section {
  CRITICAL_SECTION cs;
  Section() { InitializeCriticalSection(&cs); }
  ~Section() { DeleteCriticalSection(&cs); }
};

bool tryFromOtherThread(CRITICAL_SECTION* cs) {
  bool entered = false;
  std::thread([&] {
    entered = TryEnterCriticalSection(cs) != FALSE;
    if (entered) LeaveCriticalSection(cs);
  }).join();
  return entered;
}

}  // namespace

TEST(CriticalSection, OwnerMayEnterAgainAndMustLeaveAsOften) {
  Section s;
  struct Step {
    bool enter;            // enter (true) or leave (false) on this thread
    bool otherCanEnter;    // what another thread's TryEnter answers afterwards
  };
  const Step steps[] = {{true, false}, {true, false}, {false, false}, {false, true}, {true, false}, {false, true}};
  int i = 0;
  for (const Step& step : steps) {
    if (step.enter)
      EnterCriticalSection(&s.cs);
    else
      LeaveCriticalSection(&s.cs);
    EXPECT_EQ(tryFromOtherThread(&s.cs), step.otherCanEnter) << "step " << i++;
  }
}

TEST(CriticalSection, LeaveByANonOwnerDoesNotFreeTheSection) {
  Section s;
  EnterCriticalSection(&s.cs);
  std::thread([&] { LeaveCriticalSection(&s.cs); }).join();
  EXPECT_FALSE(tryFromOtherThread(&s.cs));
  LeaveCriticalSection(&s.cs);
  EXPECT_TRUE(tryFromOtherThread(&s.cs));
}

TEST(CriticalSection, ExcludesOtherThreadsUnderContention) {
  Section s;
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 50000; ++i) {
        EnterCriticalSection(&s.cs);
        EnterCriticalSection(&s.cs);
        long seen = counter;
        counter = seen + 1;
        LeaveCriticalSection(&s.cs);
        LeaveCriticalSection(&s.cs);
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(counter, 200000);
}

TEST(CriticalSection, ThreadIdsDifferBetweenThreadsAndStayPut) {
  DWORD mine = GetCurrentThreadId();
  DWORD other = 0;
  std::thread([&] { other = GetCurrentThreadId(); }).join();
  EXPECT_NE(mine, other);
  EXPECT_EQ(mine, GetCurrentThreadId());
}
