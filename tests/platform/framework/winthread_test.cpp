// The framework's thread: initialisation, the message loop with its pre-translation through the
// window wrappers up to the main window, the end at WM_QUIT with its exit code, and auto-deletion.
#include <framework/WinThread.h>

#include <win/sync.h>
#include <win/thread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char16_t* className = u"FrameworkThreadTestClass";

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass() {
  static bool done = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &plainProcedure;
    wc.lpszClassName = className;
    return RegisterClassW(&wc) != 0;
  }();
  ASSERT_TRUE(done);
}

template <typename Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 5000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

// A wrapper that swallows WM_APP + 1 in PreTranslateMessage and counts what reaches it.
class Filtering : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* message) override {
    if (message->message == WM_APP + 1) {
      ++swallowed;
      return TRUE;
    }
    return FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_APP) ++dispatched;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::atomic<int> swallowed{0}, dispatched{0};
};

class UiThread : public CWinThread {
 public:
  explicit UiThread(bool initialises) : initialises_(initialises) { m_bAutoDelete = FALSE; }
  BOOL InitInstance() override {
    note("init");
    if (!initialises_) return FALSE;
    frame.CreateEx(0, className, u"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);
    child.Create(className, u"", 0, RECT{0, 0, 5, 5}, &frame, 3);
    m_pMainWnd = &frame;
    running = true;
    return TRUE;
  }
  int Run() override {
    note("run");
    return CWinThread::Run();
  }
  int ExitInstance() override {
    note("exit");
    child.DestroyWindow();
    frame.DestroyWindow();
    return CWinThread::ExitInstance() + 1000;
  }
  void note(const char* what) {
    std::lock_guard lock(mutex);
    calls.push_back(what);
  }
  std::vector<std::string> log() {
    std::lock_guard lock(mutex);
    return calls;
  }
  Filtering frame;
  CWnd child;
  std::atomic<bool> running{false};

 private:
  bool initialises_;
  std::mutex mutex;
  std::vector<std::string> calls;
};

DWORD exitCodeOf(HANDLE thread) {
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  return code;
}

TEST(WinThread, RunsItsLoopUntilQuitAndAnswersTheExitCode) {
  registerClass();
  UiThread thread(true);
  ASSERT_EQ(&thread, AfxBeginThread(&thread));
  ASSERT_TRUE(waitFor([&] { return thread.running.load(); }));
  EXPECT_NE(0u, thread.m_nThreadID);
  EXPECT_NE(GetCurrentThreadId(), thread.m_nThreadID);
  // Messages of the child are offered to its parent frame on the way up.
  PostMessageW(thread.child.m_hWnd, WM_APP + 1, 0, 0);
  PostMessageW(thread.frame.m_hWnd, WM_APP + 2, 0, 0);
  ASSERT_TRUE(waitFor([&] { return thread.frame.dispatched == 1; }));
  EXPECT_EQ(1, thread.frame.swallowed.load());
  EXPECT_TRUE(thread.PostThreadMessage(WM_QUIT, 7, 0));
  EXPECT_EQ(1007u, exitCodeOf(thread.m_hThread)) << "ExitInstance answers the quit code";
  EXPECT_EQ((std::vector<std::string>{"init", "run", "exit"}), thread.log());
  EXPECT_EQ(nullptr, thread.frame.m_hWnd);
}

TEST(WinThread, FailedInitialisationSkipsTheLoop) {
  UiThread thread(false);
  ASSERT_TRUE(thread.CreateThread());
  EXPECT_EQ(1000u, exitCodeOf(thread.m_hThread));
  EXPECT_EQ((std::vector<std::string>{"init", "exit"}), thread.log());
}

TEST(WinThread, SuspendedStartWaitsForResume) {
  UiThread thread(false);
  ASSERT_TRUE(thread.CreateThread(CREATE_SUSPENDED));
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread.m_hThread, 50));
  EXPECT_TRUE(thread.log().empty());
  EXPECT_FALSE(thread.CreateThread()) << "one thread per object";
  EXPECT_EQ(1u, thread.ResumeThread());
  EXPECT_EQ(1000u, exitCodeOf(thread.m_hThread));
}

std::atomic<int> deletions{0};

class SelfDeleting : public CWinThread {
 public:
  ~SelfDeleting() override { ++deletions; }
  BOOL InitInstance() override {
    seenAsCurrent = AfxGetThread() == this;
    return FALSE;
  }
  static std::atomic<bool> seenAsCurrent;
};
std::atomic<bool> SelfDeleting::seenAsCurrent{false};

TEST(WinThread, AutoDeletingThreadsDeleteThemselves) {
  deletions = 0;
  auto* thread = new SelfDeleting();
  ASSERT_TRUE(thread->CreateThread());
  EXPECT_TRUE(waitFor([] { return deletions == 1; }));
  EXPECT_TRUE(SelfDeleting::seenAsCurrent.load());
  EXPECT_EQ(nullptr, AfxGetThread()) << "this thread was not started by the framework";
}

}  // namespace
