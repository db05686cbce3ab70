// Activation between windows and threads (WM_ACTIVATEAPP, the next window taking over when the active
// one goes), reparenting, the per-thread key state, input that follows what the window thread did
// with the input before, and the creation hook.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/error.h>
#include <win/sync.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <thread>

using platform::display::DisplaySelection;
using platform::display::MouseButton;
using testsupport::pumpMessages;
using testsupport::Received;
using testsupport::TestWindow;

namespace {

// Waits up to five seconds for another thread to make the condition true, handling meanwhile what
// that thread sends to this one's windows.
template <typename Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 5000; ++i) {
    if (condition()) return true;
    pumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

// A thread that runs a message loop and does work on it when asked.
class WindowThread {
 public:
  WindowThread() {
    std::promise<DWORD> started;
    thread_ = std::thread([this, &started] {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
      started.set_value(GetCurrentThreadId());
      while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_APP) {
          (*reinterpret_cast<std::function<void()>*>(msg.lParam))();
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    });
    id = started.get_future().get();
  }
  ~WindowThread() {
    PostThreadMessageW(id, WM_QUIT, 0, 0);
    thread_.join();
  }
  // Runs the work on the thread and waits for it, handling what that thread sends meanwhile.
  void run(std::function<void()> work) {
    std::promise<void> done;
    std::function<void()> job = [&] {
      work();
      done.set_value();
    };
    auto finished = done.get_future();
    PostThreadMessageW(id, WM_APP, 0, reinterpret_cast<LPARAM>(&job));
    while (finished.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) pumpMessages();
  }
  DWORD id = 0;

 private:
  std::thread thread_;
};

std::vector<Received> only(const TestWindow& w, UINT message) {
  std::vector<Received> out;
  for (const Received& r : w.log())
    if (r.message == message) out.push_back(r);
  return out;
}

std::vector<LONG> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

TEST_F(Activation, ActivationMovingToAnotherThreadTellsBothThreads) {
  TestWindow mine, mineToo, theirs;
  mine.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100);
  mineToo.create(WS_POPUP, 300, 10, 50, 50);  // hidden windows of the thread hear it too
  WindowThread other;
  other.run([&] { theirs.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 100, 100); });
  SetForegroundWindow(mine.handle);
  pumpMessages();
  mine.clear();
  mineToo.clear();
  theirs.clear();

  SetForegroundWindow(theirs.handle);
  pumpMessages();
  auto lost = only(mine, WM_ACTIVATEAPP);
  ASSERT_EQ(1u, lost.size());
  EXPECT_EQ(FALSE, static_cast<BOOL>(lost[0].wParam));
  EXPECT_EQ(static_cast<LPARAM>(other.id), lost[0].lParam) << "names the thread that gains it";
  EXPECT_EQ(1u, only(mineToo, WM_ACTIVATEAPP).size());
  other.run([] {});
  auto gained = only(theirs, WM_ACTIVATEAPP);
  ASSERT_EQ(1u, gained.size());
  EXPECT_EQ(TRUE, static_cast<BOOL>(gained[0].wParam));
  EXPECT_EQ(static_cast<LPARAM>(GetCurrentThreadId()), gained[0].lParam);
  auto order = testsupport::only(theirs.messages(), {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE});
  EXPECT_EQ((std::vector<UINT>{WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE}), order);

  SetForegroundWindow(mine.handle);
  pumpMessages();
  mine.clear();
  ShowWindow(mineToo.handle, SW_SHOW);
  SetForegroundWindow(mineToo.handle);
  pumpMessages();
  EXPECT_EQ(0u, only(mine, WM_ACTIVATEAPP).size()) << "within one thread nothing is said";
  DestroyWindow(mineToo.handle);
  DestroyWindow(mine.handle);
  other.run([&] { DestroyWindow(theirs.handle); });
}

TEST_F(Activation, TheNextWindowTakesOverWhenTheActiveOneGoes) {
  enum class How { hide, destroy, minimize };
  struct Case {
    const char* name;
    How how;
    bool owned;  // the leaving window has a visible owner
  };
  const Case cases[] = {
      {"hidden", How::hide, false},         {"destroyed", How::destroy, false},
      {"minimized", How::minimize, false},  {"hidden, owner first", How::hide, true},
      {"destroyed, owner first", How::destroy, true},
  };
  for (const Case& c : cases) {
    TestWindow owner, below, leaving;
    owner.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100);
    below.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 100, 100);
    leaving.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 90, 90, 100, 100, c.owned ? owner.handle : nullptr);
    SetForegroundWindow(leaving.handle);
    pumpMessages();
    ASSERT_EQ(leaving.handle, GetActiveWindow()) << c.name;
    switch (c.how) {
      case How::hide:
        ShowWindow(leaving.handle, SW_HIDE);
        break;
      case How::destroy:
        DestroyWindow(leaving.handle);
        break;
      case How::minimize:
        ShowWindow(leaving.handle, SW_MINIMIZE);
        break;
    }
    pumpMessages();
    HWND expected = c.owned ? owner.handle : below.handle;
    EXPECT_EQ(expected, GetActiveWindow()) << c.name;
    EXPECT_EQ(expected, GetFocus()) << c.name << ": the new active window takes the focus";
    if (IsWindow(leaving.handle)) DestroyWindow(leaving.handle);
    DestroyWindow(below.handle);
    DestroyWindow(owner.handle);
  }
}

TEST_F(Activation, WithNoWindowLeftNothingIsActive) {
  TestWindow only, hiddenOne;
  hiddenOne.create(WS_POPUP, 0, 0, 10, 10);
  only.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100);
  SetForegroundWindow(only.handle);
  pumpMessages();
  hiddenOne.clear();
  ShowWindow(only.handle, SW_HIDE);
  EXPECT_EQ(nullptr, GetForegroundWindow());
  auto told = ::only(hiddenOne, WM_ACTIVATEAPP);
  ASSERT_EQ(1u, told.size()) << "the thread loses the activation";
  EXPECT_EQ(FALSE, static_cast<BOOL>(told[0].wParam));
  DestroyWindow(only.handle);
  DestroyWindow(hiddenOne.handle);
}

TEST_F(Activation, SetParentMovesAWindowBetweenParentsAndTheDesktop) {
  TestWindow first, second, child, grandChild;
  first.create(WS_POPUP | WS_VISIBLE, 10, 10, 200, 200);
  second.create(WS_POPUP | WS_VISIBLE, 300, 10, 200, 200);
  child.create(WS_CHILD | WS_VISIBLE, 20, 30, 50, 40, first.handle);
  grandChild.create(WS_CHILD | WS_VISIBLE, 1, 1, 5, 5, child.handle);
  TestWindow sibling;
  sibling.create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, second.handle);

  EXPECT_EQ(first.handle, SetParent(child.handle, second.handle)) << "answers the old parent";
  EXPECT_EQ(second.handle, GetParent(child.handle));
  EXPECT_TRUE(IsChild(second.handle, grandChild.handle)) << "descendants come along";
  EXPECT_FALSE(IsChild(first.handle, child.handle));
  EXPECT_EQ(child.handle, GetWindow(second.handle, GW_CHILD)) << "at the top of the new siblings";
  RECT r;
  GetWindowRect(child.handle, &r);
  EXPECT_EQ((std::vector<LONG>{320, 40, 370, 80}), edges(r)) << "the same place in the new parent's client area";

  SetLastError(0);
  EXPECT_EQ(nullptr, SetParent(child.handle, grandChild.handle)) << "a window cannot go below itself";
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_EQ(nullptr, SetParent(reinterpret_cast<HWND>(0x7777), second.handle));
  EXPECT_EQ(second.handle, GetParent(child.handle));

  EXPECT_EQ(second.handle, SetParent(child.handle, nullptr));
  EXPECT_EQ(child.handle, GetAncestor(child.handle, GA_ROOT)) << "on the desktop it is a top-level window";
  EXPECT_FALSE(GetWindowLongW(child.handle, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(display->window(reinterpret_cast<uintptr_t>(child.handle)).has_value()) << "the display shows it";
  GetWindowRect(child.handle, &r);
  EXPECT_EQ((std::vector<LONG>{20, 30, 70, 70}), edges(r));

  EXPECT_EQ(GetDesktopWindow(), SetParent(child.handle, first.handle));
  EXPECT_TRUE(GetWindowLongW(child.handle, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(display->window(reinterpret_cast<uintptr_t>(child.handle)).has_value());
  EXPECT_EQ(first.handle, GetAncestor(grandChild.handle, GA_ROOT));
  DestroyWindow(first.handle);
  EXPECT_FALSE(IsWindow(grandChild.handle)) << "it went with its new parent";
  DestroyWindow(second.handle);
}

TEST_F(Activation, KeyStateFollowsTheMessagesTheThreadHasTaken) {
  TestWindow w;
  w.create(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  SetFocus(w.handle);
  pumpMessages();
  SHORT before = GetKeyState(VK_CAPITAL);
  display->injectKey('K', true);
  display->injectKey(VK_CAPITAL, true);
  display->injectKey(VK_CAPITAL, false);
  EXPECT_TRUE(GetAsyncKeyState('K') & 0x8000) << "the keyboard is down now";
  EXPECT_LE(0, GetKeyState('K')) << "but the thread has not taken the press yet";
  std::atomic<SHORT> elsewhere{0};
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(static_cast<WPARAM>('K'), m.wParam);
  EXPECT_GT(0, GetKeyState('K'));
  std::thread([&] { elsewhere = GetKeyState('K'); }).join();
  EXPECT_LE(0, elsewhere.load()) << "another thread has its own state";
  pumpMessages();
  EXPECT_EQ((before & 1) ^ 1, GetKeyState(VK_CAPITAL) & 1) << "a press flips the toggle";
  display->injectKey('K', false);
  pumpMessages();
  EXPECT_LE(0, GetKeyState('K'));
  DestroyWindow(w.handle);
}

// The window's thread takes the capture on the press; moves injected right after it, with no wait,
// must go to the capturing window although the pointer leaves it for another window.
TEST_F(Activation, CaptureTakenOnAPressAppliesToTheMovesRightAfter) {
  TestWindow w, neighbour;
  neighbour.create(WS_POPUP | WS_VISIBLE, 300, 100, 100, 100);
  WindowThread other;
  w.onMessage([](HWND window, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_LBUTTONDOWN) SetCapture(window);
    if (m == WM_LBUTTONUP) ReleaseCapture();
    return std::nullopt;
  });
  other.run([&] { w.create(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100); });
  display->injectMouseButton(MouseButton::left, true, 150, 150);
  for (int x = 210; x <= 350; x += 20) display->injectMouseMove(x, 150);
  display->injectMouseButton(MouseButton::left, false, 350, 150);
  EXPECT_TRUE(waitFor([&] { return w.count(WM_LBUTTONUP) == 1; }));
  pumpMessages();
  EXPECT_EQ(0, neighbour.count(WM_MOUSEMOVE));
  auto moves = only(w, WM_MOUSEMOVE);
  ASSERT_EQ(8u, moves.size());
  EXPECT_EQ(250, GET_X_LPARAM(moves.back().lParam)) << "client coordinates beyond the window";
  other.run([&] { DestroyWindow(w.handle); });
  DestroyWindow(neighbour.handle);
}

LRESULT CALLBACK refuseEverything(int code, WPARAM, LPARAM) { return code == HCBT_CREATEWND ? 1 : 0; }

struct HookLog {
  static std::vector<std::pair<HWND, int>>& notices() {
    static std::vector<std::pair<HWND, int>> log;
    return log;
  }
  static HHOOK& hook() {
    static HHOOK h = nullptr;
    return h;
  }
  static LRESULT CALLBACK note(int code, WPARAM wParam, LPARAM lParam) {
    auto* notice = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    notices().push_back({reinterpret_cast<HWND>(wParam), notice ? notice->lpcs->cx : -1});
    return CallNextHookEx(hook(), code, wParam, lParam);
  }
};

TEST_F(Activation, CreationHookHearsOfEachWindowBeforeItsFirstMessage) {
  HookLog::notices().clear();
  HookLog::hook() = SetWindowsHookExW(WH_CBT, &HookLog::note, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, HookLog::hook());
  TestWindow w;
  bool messageBeforeHook = false;
  w.onMessage([&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (HookLog::notices().empty()) messageBeforeHook = true;
    return std::nullopt;
  });
  w.create(WS_OVERLAPPEDWINDOW, 10, 10, 123, 80);
  ASSERT_EQ(1u, HookLog::notices().size());
  EXPECT_EQ(w.handle, HookLog::notices()[0].first);
  EXPECT_EQ(123, HookLog::notices()[0].second);
  EXPECT_FALSE(messageBeforeHook);

  HHOOK refuse = SetWindowsHookExW(WH_CBT, &refuseEverything, nullptr, 0);
  TestWindow refused;
  EXPECT_EQ(nullptr, refused.create(WS_POPUP, 0, 0, 10, 10)) << "the newest hook refuses";
  EXPECT_EQ(1u, HookLog::notices().size()) << "and does not pass the notice on";
  EXPECT_TRUE(UnhookWindowsHookEx(refuse));
  EXPECT_FALSE(UnhookWindowsHookEx(refuse));
  EXPECT_TRUE(UnhookWindowsHookEx(HookLog::hook()));
  TestWindow after;
  after.create(WS_POPUP, 0, 0, 10, 10);
  EXPECT_NE(nullptr, after.handle);
  EXPECT_EQ(1u, HookLog::notices().size());
  EXPECT_EQ(nullptr, SetWindowsHookExW(WH_CBT, &HookLog::note, nullptr, GetCurrentThreadId() + 1))
      << "only the calling thread's hooks";
  DestroyWindow(after.handle);
  DestroyWindow(w.handle);
}

}  // namespace
