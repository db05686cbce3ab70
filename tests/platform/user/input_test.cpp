// Input routing on the headless display: hit testing from the top-level window down with
// HTTRANSPARENT passing the press beneath, disabled windows, capture, double clicks, keys, and
// the move and size loops that HTCAPTION and the border zones start.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/sync.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

using platform::display::DisplaySelection;
using platform::display::MouseButton;
using testsupport::pumpMessages;
using testsupport::TestWindow;

namespace {

// Waits up to five seconds for another thread to make the condition true.
template <typename Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 5000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
    display->setDecorationExtents(platform::display::DecorationExtents{4, 30, 4, 4});
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

TEST_F(Input, ClicksReachTheDeepestChildWithClientCoordinates) {
  TestWindow top, child;
  top.create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  child.create(WS_CHILD | WS_VISIBLE, 20, 30, 50, 50, top.handle);
  pumpMessages();
  display->injectClick(MouseButton::left, 125, 135);
  pumpMessages();
  auto log = child.log();
  bool down = false;
  for (const auto& m : log)
    if (m.message == WM_LBUTTONDOWN) {
      down = true;
      EXPECT_EQ(5, GET_X_LPARAM(m.lParam));
      EXPECT_EQ(5, GET_Y_LPARAM(m.lParam));
      EXPECT_TRUE(m.wParam & MK_LBUTTON);
    }
  EXPECT_TRUE(down);
  EXPECT_EQ(1, child.count(WM_LBUTTONUP));
  EXPECT_EQ(0, top.count(WM_LBUTTONDOWN));
  EXPECT_GE(child.count(WM_NCHITTEST), 1);
  EXPECT_GE(child.count(WM_SETCURSOR), 1);
  DestroyWindow(top.handle);
}

TEST_F(Input, TransparentChildPassesThePressToTheWindowBeneath) {
  TestWindow top, below, overlay;
  top.create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  below.create(WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, top.handle);
  overlay.create(WS_CHILD | WS_VISIBLE, 0, 0, 150, 150, top.handle);
  // Children created later go below: bring the overlay to the top so it is hit first.
  SetWindowPos(overlay.handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  overlay.onMessage([](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  });
  pumpMessages();
  display->injectMouseButton(MouseButton::left, true, 130, 130);
  display->injectMouseButton(MouseButton::left, false, 130, 130);
  pumpMessages();
  EXPECT_GE(overlay.count(WM_NCHITTEST), 1);
  EXPECT_EQ(0, overlay.count(WM_LBUTTONDOWN));
  EXPECT_EQ(1, below.count(WM_LBUTTONDOWN));
  // Outside the sibling beneath, the press falls through to the parent.
  display->injectMouseButton(MouseButton::left, true, 245, 245);
  display->injectMouseButton(MouseButton::left, false, 245, 245);
  pumpMessages();
  EXPECT_EQ(1, top.count(WM_LBUTTONDOWN));
  DestroyWindow(top.handle);
}

TEST_F(Input, TransparentTopLevelPassesThePressToTheWindowBeneath) {
  TestWindow under, over;
  under.create(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
  over.create(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
  over.onMessage([](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  });
  pumpMessages();
  display->injectClick(MouseButton::left, 350, 350);
  pumpMessages();
  EXPECT_EQ(1, under.count(WM_LBUTTONDOWN));
  EXPECT_EQ(0, over.count(WM_LBUTTONDOWN));
  DestroyWindow(under.handle);
  DestroyWindow(over.handle);
}

TEST_F(Input, DisabledWindowsIgnoreClicksAndKeys) {
  TestWindow top, child;
  top.create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  child.create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top.handle);
  SetFocus(child.handle);
  pumpMessages();
  EXPECT_FALSE(EnableWindow(child.handle, FALSE)) << "answers whether it was disabled before";
  EXPECT_EQ(1, child.count(WM_ENABLE));
  EXPECT_EQ(nullptr, GetFocus()) << "a disabled window loses the focus";
  display->injectClick(MouseButton::left, 120, 120);
  display->injectKey('A', true);
  display->injectKey('A', false);
  pumpMessages();
  EXPECT_EQ(0, child.count(WM_LBUTTONDOWN));
  EXPECT_EQ(0, child.count(WM_KEYDOWN));
  EXPECT_EQ(1, top.count(WM_LBUTTONDOWN)) << "the press on a disabled child goes to its parent";

  EnableWindow(top.handle, FALSE);
  top.clear();
  display->injectClick(MouseButton::left, 250, 250);
  pumpMessages();
  EXPECT_EQ(0, top.count(WM_LBUTTONDOWN));
  EXPECT_EQ(0, top.count(WM_NCHITTEST));
  EXPECT_TRUE(EnableWindow(top.handle, TRUE));
  display->injectClick(MouseButton::left, 250, 250);
  pumpMessages();
  EXPECT_EQ(1, top.count(WM_LBUTTONDOWN));
  DestroyWindow(top.handle);
}

TEST_F(Input, CaptureTakesTheMouseWhereverItGoes) {
  TestWindow a, b;
  a.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  b.create(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  SetCapture(a.handle);
  EXPECT_EQ(a.handle, GetCapture());
  display->injectMouseMove(250, 50);
  pumpMessages();
  EXPECT_EQ(0, b.count(WM_MOUSEMOVE));
  bool seen = false;
  for (const auto& m : a.log())
    if (m.message == WM_MOUSEMOVE) {
      seen = true;
      EXPECT_EQ(250, GET_X_LPARAM(m.lParam));
    }
  EXPECT_TRUE(seen);
  SetCapture(b.handle);
  EXPECT_EQ(1, a.count(WM_CAPTURECHANGED));
  ReleaseCapture();
  EXPECT_EQ(1, b.count(WM_CAPTURECHANGED));
  EXPECT_EQ(nullptr, GetCapture());
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(250, p.x);
  DestroyWindow(a.handle);
  DestroyWindow(b.handle);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndDistance) {
  TestWindow w;
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  pumpMessages();
  display->injectClick(MouseButton::left, 50, 50);
  display->injectClick(MouseButton::left, 51, 51);
  pumpMessages();
  EXPECT_EQ(1, w.count(WM_LBUTTONDOWN));
  EXPECT_EQ(1, w.count(WM_LBUTTONDBLCLK));
  w.clear();
  display->injectClick(MouseButton::left, 10, 10);
  display->injectClick(MouseButton::left, 30, 30);  // too far
  pumpMessages();
  EXPECT_EQ(2, w.count(WM_LBUTTONDOWN));
  EXPECT_EQ(0, w.count(WM_LBUTTONDBLCLK));
  DestroyWindow(w.handle);
}

TEST_F(Input, KeysGoToTheFocusWindowAndTranslateToCharacters) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  ASSERT_EQ(w.handle, GetFocus());
  display->injectKey('Q', true);
  EXPECT_TRUE(GetAsyncKeyState('Q') & 0x8000);
  display->injectKey('Q', false);
  EXPECT_FALSE(GetAsyncKeyState('Q') & 0x8000);
  pumpMessages();
  EXPECT_EQ(1, w.count(WM_KEYDOWN));
  EXPECT_EQ(1, w.count(WM_KEYUP));
  bool typed = false;
  for (const auto& m : w.log()) typed |= m.message == WM_CHAR && m.wParam == u'q';
  EXPECT_TRUE(typed);
  display->injectWheel(-120, 10, 10);
  pumpMessages();
  for (const auto& m : w.log()) {
    if (m.message == WM_MOUSEWHEEL) {
      EXPECT_EQ(-120, GET_WHEEL_DELTA_WPARAM(m.wParam));
    }
  }
  EXPECT_EQ(1, w.count(WM_MOUSEWHEEL));
  DestroyWindow(w.handle);
}

TEST_F(Input, PressingAnInactiveWindowActivatesIt) {
  TestWindow a, b;
  a.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  b.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 0, 200, 200);
  EXPECT_EQ(b.handle, GetActiveWindow());
  a.clear();
  display->injectClick(MouseButton::left, 100, 100);
  pumpMessages();
  EXPECT_EQ(a.handle, GetActiveWindow());
  EXPECT_EQ(1, a.count(WM_MOUSEACTIVATE));
  bool clickActive = false;
  for (const auto& m : a.log()) clickActive |= m.message == WM_ACTIVATE && LOWORD(m.wParam) == WA_CLICKACTIVE;
  EXPECT_TRUE(clickActive);
  DestroyWindow(a.handle);
  DestroyWindow(b.handle);
}

// The move loop runs inside the window's thread, so the window lives on a thread of its own and the
// test injects the mouse from outside, as a user would.
TEST_F(Input, CaptionPressMovesTheWindowWithTheMouse) {
  TestWindow w;
  std::promise<void> created;
  DWORD threadId = 0;
  std::thread owner([&] {
    w.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 240, 120);
    threadId = GetCurrentThreadId();
    created.set_value();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DestroyWindow(w.handle);
  });
  created.get_future().wait();
  auto sync = [&] { SendMessageW(w.handle, WM_NULL, 0, 0); };  // returns once the thread has caught up
  DWORD_PTR hit = 0;
  SendMessageTimeoutW(w.handle, WM_NCHITTEST, 0, MAKELPARAM(150, 115), SMTO_NORMAL, 1000, &hit);
  EXPECT_EQ(static_cast<DWORD_PTR>(HTCAPTION), hit);
  display->injectMouseMove(150, 115);
  display->injectMouseButton(MouseButton::left, true, 150, 115);
  // The move loop takes the capture on the press.
  EXPECT_TRUE(waitFor([&] { return GetCapture() == w.handle; }));
  for (int step = 1; step <= 5; ++step) {
    display->injectMouseMove(150 + step * 10, 115 + step * 4);
    sync();
  }
  display->injectMouseButton(MouseButton::left, false, 200, 135);
  EXPECT_TRUE(waitFor([&] { return w.count(WM_EXITSIZEMOVE) == 1; }));
  RECT r;
  GetWindowRect(w.handle, &r);
  EXPECT_EQ(150, r.left);
  EXPECT_EQ(120, r.top);
  EXPECT_EQ(240, r.right - r.left) << "moving keeps the size";
  EXPECT_EQ(1, w.count(WM_ENTERSIZEMOVE));
  EXPECT_EQ(1, w.count(WM_EXITSIZEMOVE));
  EXPECT_GE(w.count(WM_MOVING), 5);
  EXPECT_EQ(nullptr, GetCapture());
  auto state = display->window(reinterpret_cast<uintptr_t>(w.handle));
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(150, state->rect.left) << "the display follows";
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  owner.join();
}

TEST_F(Input, BorderPressSizesTheWindowWithSizingOffered) {
  TestWindow w;
  std::promise<void> created;
  DWORD threadId = 0;
  w.onMessage([](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    // The window keeps its width a multiple of ten while it is being sized.
    if (m == WM_SIZING && wp == WMSZ_BOTTOMRIGHT) {
      auto* r = reinterpret_cast<RECT*>(lp);
      r->right = r->left + (r->right - r->left) / 10 * 10;
      return TRUE;
    }
    return std::nullopt;
  });
  std::thread owner([&] {
    w.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 240, 120);
    threadId = GetCurrentThreadId();
    created.set_value();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DestroyWindow(w.handle);
  });
  created.get_future().wait();
  display->injectMouseMove(338, 218);
  display->injectMouseButton(MouseButton::left, true, 338, 218);  // the bottom-right corner
  EXPECT_TRUE(waitFor([&] { return GetCapture() == w.handle; }));
  display->injectMouseMove(375, 248);
  display->injectMouseButton(MouseButton::left, false, 375, 248);
  EXPECT_TRUE(waitFor([&] { return w.count(WM_EXITSIZEMOVE) == 1; }));
  RECT r;
  GetWindowRect(w.handle, &r);
  EXPECT_EQ(100, r.left);
  EXPECT_EQ(270, r.right - r.left);
  EXPECT_EQ(150, r.bottom - r.top);
  EXPECT_GE(w.count(WM_SIZING), 1);
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  owner.join();
}

}  // namespace
