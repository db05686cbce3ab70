// Message queues: posting and retrieval order, filters, quitting, sends within and across threads
// (including the rule that a waiting sender still handles sends to it), timeouts, and timers.
#include "platform/user/TestWindow.h"

#include <win/sync.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using testsupport::pumpMessages;
using testsupport::TestWindow;

namespace {

// A thread with a window of its own and a message loop, as each top-level window has.
class WindowThread {
 public:
  explicit WindowThread(TestWindow::Handler handler = nullptr) {
    std::promise<HWND> ready;
    auto future = ready.get_future();
    thread_ = std::thread([this, handler, &ready] {
      window_.onMessage(handler);
      window_.create(WS_POPUP, 0, 0, 10, 10);
      threadId_ = GetCurrentThreadId();
      ready.set_value(window_.handle);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      DestroyWindow(window_.handle);
    });
    handle = future.get();
  }
  ~WindowThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  TestWindow& window() { return window_; }
  HWND handle = nullptr;

 private:
  TestWindow window_;
  DWORD threadId_ = 0;
  std::thread thread_;
};

TEST(MessageQueue, PostedMessagesComeInOrderAndPeekCanLeaveThem) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10);
  pumpMessages();
  for (UINT i = 0; i < 3; ++i) PostMessageW(w.handle, WM_USER + i, i, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_USER), msg.message);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE)) << "a range filter skips ahead";
  EXPECT_EQ(static_cast<UINT>(WM_USER + 2), msg.message);
  for (UINT expected : {WM_USER, WM_USER + 1}) {
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(expected, msg.message);
    EXPECT_EQ(w.handle, msg.hwnd);
  }
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
  DestroyWindow(w.handle);
}

TEST(MessageQueue, QuitComesAfterPostedMessages) {
  MSG msg;
  // A thread has a queue only once it has called a message function; posting before fails.
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_USER + 1, 0, 0));
  PostQuitMessage(7);
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_USER + 2, 0, 0));
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_USER + 1), msg.message);
  EXPECT_EQ(nullptr, msg.hwnd);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_USER + 2), msg.message);
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
  EXPECT_EQ(7u, msg.wParam);
}

TEST(MessageQueue, MessagesForADestroyedWindowAreDropped) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10);
  PostMessageW(w.handle, WM_USER, 0, 0);
  HWND gone = w.handle;
  DestroyWindow(gone);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(0, SendMessageW(gone, WM_USER, 0, 0));
  msg = MSG{gone, WM_USER, 0, 0, 0, {0, 0}};
  EXPECT_EQ(0, DispatchMessageW(&msg));
  EXPECT_EQ(0, w.count(WM_USER));
}

TEST(SendMessage, ReachesAWindowOfAnotherThreadAndAnswers) {
  WindowThread other([](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) return static_cast<LRESULT>(wp * 2);
    if (m == WM_USER + 1) return static_cast<LRESULT>(InSendMessage());
    return std::nullopt;
  });
  EXPECT_EQ(42, SendMessageW(other.handle, WM_USER, 21, 0));
  EXPECT_EQ(TRUE, SendMessageW(other.handle, WM_USER + 1, 0, 0));
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutW(other.handle, WM_USER, 5, 0, SMTO_ABORTIFHUNG, 1000, &result));
  EXPECT_EQ(10u, result);
}

// Thread A sends to B's window; B's procedure sends back to A's window before answering. Without the
// rule that a waiting sender handles sends to it, both threads would wait for each other for ever.
TEST(SendMessage, TwoWindowThreadsSendingToEachOtherDoNotDeadlock) {
  std::atomic<HWND> first{nullptr};
  WindowThread a([](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 2) return static_cast<LRESULT>(wp + 1);
    return std::nullopt;
  });
  first = a.handle;
  WindowThread b([&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) return SendMessageW(first, WM_USER + 2, wp * 10, 0) + 1;
    return std::nullopt;
  });
  // A's own procedure, on A's thread, sends to B: run that through a posted message to A.
  std::promise<LRESULT> answer;
  HWND bHandle = b.handle;
  a.window().onMessage([&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 2) return static_cast<LRESULT>(wp + 1);
    if (m == WM_USER + 3) {
      answer.set_value(SendMessageW(bHandle, WM_USER + 1, 4, 0));
      return 0;
    }
    return std::nullopt;
  });
  PostMessageW(a.handle, WM_USER + 3, 0, 0);
  auto future = answer.get_future();
  ASSERT_EQ(std::future_status::ready, future.wait_for(std::chrono::seconds(10))) << "deadlocked";
  EXPECT_EQ(42, future.get());  // (4 * 10 + 1) + 1
}

TEST(SendMessageTimeout, TimesOutOnABusyThreadAndWithdrawsTheMessage) {
  std::atomic<bool> release{false};
  std::atomic<int> handled{0};
  WindowThread busy([&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) {
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return 0;
    }
    if (m == WM_USER + 2) {
      ++handled;
      return 0;
    }
    return std::nullopt;
  });
  PostMessageW(busy.handle, WM_USER + 1, 0, 0);  // keeps the thread away from its queue
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  DWORD_PTR result = 99;
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SendMessageTimeoutW(busy.handle, WM_USER + 2, 0, 0, SMTO_NORMAL, 50, &result));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_EQ(0u, result);
  release = true;
  EXPECT_EQ(0, SendMessageW(busy.handle, WM_NULL, 0, 0));  // the thread is back in its loop
  EXPECT_EQ(0, handled) << "a message the sender gave up on is not delivered later";
}

TEST(SendMessageTimeout, BlockLeavesSendsToTheWaiterWaiting) {
  TestWindow mine;
  mine.create(WS_POPUP, 0, 0, 10, 10);
  HWND mineHandle = mine.handle;
  WindowThread other([&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) {
      DWORD_PTR r = 0;
      // Back to the blocked sender: it cannot answer, so this times out.
      return SendMessageTimeoutW(mineHandle, WM_USER + 2, 0, 0, SMTO_NORMAL, 100, &r) ? 1 : 2;
    }
    return std::nullopt;
  });
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutW(other.handle, WM_USER + 1, 0, 0, SMTO_BLOCK, 5000, &result));
  EXPECT_EQ(2u, result);
  EXPECT_EQ(0, mine.count(WM_USER + 2));
  DestroyWindow(mine.handle);
}

TEST(SendMessage, FailsWhenTheReceivingThreadEnds) {
  TestWindow w;
  std::promise<void> created;
  std::atomic<bool> stop{false};
  std::thread t([&] {
    w.create(WS_POPUP, 0, 0, 10, 10);
    created.set_value();
    while (!stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  created.get_future().wait();
  auto pending = std::async(std::launch::async, [&] {
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(w.handle, WM_USER, 0, 0, SMTO_NORMAL, 10000, &r);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  stop = true;
  t.join();
  ASSERT_EQ(std::future_status::ready, pending.wait_for(std::chrono::seconds(5)));
  EXPECT_FALSE(pending.get());
}

TEST(WaitMessage, ReturnsWhenAMessageArrivesFromAnotherThread) {
  DWORD me = GetCurrentThreadId();
  std::thread poster([me] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostThreadMessageW(me, WM_USER + 5, 0, 0);
  });
  WaitMessage();
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  poster.join();
}

TEST(WaitMessage, CountsOnlyMessagesNewerThanTheLastLook) {
  DWORD me = GetCurrentThreadId();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  PostThreadMessageW(me, WM_USER + 6, 0, 0);
  WaitMessage();  // not looked at yet: returns at once
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 6, WM_USER + 6, PM_NOREMOVE));
  std::atomic<bool> posted{false};
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    posted = true;
    PostThreadMessageW(me, WM_USER + 7, 0, 0);
  });
  WaitMessage();
  EXPECT_TRUE(posted.load()) << "the message already seen does not end the wait";
  poster.join();
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 6, WM_USER + 6, PM_REMOVE));
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE));
}

TEST(Timers, FireAtTheirPeriodAndStopWhenKilled) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10);
  ASSERT_NE(0u, SetTimer(w.handle, 3, 40, nullptr));
  auto start = std::chrono::steady_clock::now();
  MSG msg;
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(420)) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  int ticks = 0;
  for (const auto& r : w.log())
    if (r.message == WM_TIMER) {
      ++ticks;
      EXPECT_EQ(3u, r.wParam);
    }
  EXPECT_GE(ticks, 8);
  EXPECT_LE(ticks, 11);
  EXPECT_TRUE(KillTimer(w.handle, 3));
  EXPECT_FALSE(KillTimer(w.handle, 3));
  w.clear();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  pumpMessages();
  EXPECT_EQ(0, w.count(WM_TIMER));
  DestroyWindow(w.handle);
}

TEST(Timers, ThreadTimersCallTheirProcedureAndPeriodsHaveAFloor) {
  static std::atomic<int> calls{0};
  struct Proc {
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { ++calls; }
  };
  UINT_PTR id = SetTimer(nullptr, 0, 1, &Proc::tick);  // asks for 1 ms, gets the 10 ms floor
  ASSERT_NE(0u, id);
  auto start = std::chrono::steady_clock::now();
  MSG msg;
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(105)) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  KillTimer(nullptr, id);
  EXPECT_GE(calls.load(), 6);
  EXPECT_LE(calls.load(), 11);
  // A posted WM_TIMER naming a procedure nobody registered is not called.
  msg = MSG{nullptr, WM_TIMER, 1, reinterpret_cast<LPARAM>(&Proc::tick), 0, {0, 0}};
  int before = calls;
  DispatchMessageW(&msg);
  EXPECT_EQ(before, calls.load());
}

TEST(Timers, GetMessageWakesForATimerWithNothingElseQueued) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10);
  pumpMessages();
  SetTimer(w.handle, 1, 30, nullptr);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_TIMER), msg.message);
  KillTimer(w.handle, 1);
  DestroyWindow(w.handle);
}

}  // namespace
