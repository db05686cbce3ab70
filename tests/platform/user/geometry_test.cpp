// Placement: SetWindowPos and its messages, the frame from the display's decoration extents,
// size limits, show commands, coordinate mapping, metrics and monitors.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <gtest/gtest.h>

using platform::display::DisplaySelection;
using testsupport::only;
using testsupport::pumpMessages;
using testsupport::TestWindow;

namespace {

class Geometry : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
    display->setDecorationExtents(platform::display::DecorationExtents{4, 30, 4, 4});
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

TEST_F(Geometry, ClientAreaIsTheWindowLessTheDecorationExtents) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW, 100, 50, 240, 120);
  RECT window, client;
  GetWindowRect(w.handle, &window);
  GetClientRect(w.handle, &client);
  EXPECT_EQ((RECT{100, 50, 340, 170}).left, window.left);
  EXPECT_EQ(240 - 8, client.right);
  EXPECT_EQ(120 - 34, client.bottom);
  POINT p{0, 0};
  ClientToScreen(w.handle, &p);
  EXPECT_EQ(104, p.x);
  EXPECT_EQ(80, p.y);
  ScreenToClient(w.handle, &p);
  EXPECT_EQ(0, p.x);
  // A client edge adds two pixels on each side inside the frame.
  TestWindow edged;
  edged.create(WS_OVERLAPPEDWINDOW, 0, 0, 240, 120, nullptr, WS_EX_CLIENTEDGE);
  GetClientRect(edged.handle, &client);
  EXPECT_EQ(240 - 8 - 4, client.right);
  RECT adjusted{0, 0, 100, 100};
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ((RECT{-4, -30, 104, 104}).top, adjusted.top);
  // Children map through their parents.
  TestWindow child;
  child.create(WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 20, 50, 50, w.handle);
  p = POINT{0, 0};
  ClientToScreen(child.handle, &p);
  EXPECT_EQ(104 + 10 + 1, p.x);
  EXPECT_EQ(80 + 20 + 1, p.y);
  DestroyWindow(w.handle);
  DestroyWindow(edged.handle);
}

TEST_F(Geometry, SetWindowPosSendsTheDocumentedMessages) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 150);
  const std::initializer_list<UINT> watched = {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                               WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE};
  struct Case {
    const char* what;
    int x, y, cx, cy;
    UINT flags;
    std::vector<UINT> expected;
  };
  const Case cases[] = {
      {"move and size", 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE,
       {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
      {"move only", 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE,
       {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
      {"size only", 0, 0, 320, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE,
       {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
      {"nothing changes", 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE,
       {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
      {"frame changed", 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED,
       {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED}},
  };
  for (const Case& c : cases) {
    w.clear();
    EXPECT_TRUE(SetWindowPos(w.handle, nullptr, c.x, c.y, c.cx, c.cy, c.flags));
    EXPECT_EQ(c.expected, only(w.messages(), watched)) << c.what;
  }
  RECT r;
  GetWindowRect(w.handle, &r);
  EXPECT_EQ((RECT{30, 40, 350, 250}).right, r.right);
  EXPECT_EQ(250, r.bottom);

  // WM_SIZE carries the new client size and WM_MOVE the client origin.
  w.clear();
  MoveWindow(w.handle, 5, 6, 208, 134, TRUE);
  for (const auto& m : w.log()) {
    if (m.message == WM_SIZE) {
      EXPECT_EQ(200, LOWORD(m.lParam));
      EXPECT_EQ(100, HIWORD(m.lParam));
    }
    if (m.message == WM_MOVE) {
      EXPECT_EQ(9, LOWORD(m.lParam));
      EXPECT_EQ(36, HIWORD(m.lParam));
    }
  }
  DestroyWindow(w.handle);
}

TEST_F(Geometry, TheWindowCanChangeThePositionItIsOffered) {
  TestWindow w;
  w.onMessage([](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->x = 77;
    if (m == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{150, 100};
    return std::nullopt;
  });
  w.create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 200);
  SetWindowPos(w.handle, nullptr, 10, 10, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(w.handle, &r);
  EXPECT_EQ(77, r.left);
  EXPECT_EQ(150, r.right - r.left) << "the minimum tracking size holds";
  EXPECT_EQ(100, r.bottom - r.top);
  DestroyWindow(w.handle);
}

TEST_F(Geometry, ShowCommandsMaximizeMinimizeAndRestore) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW, 50, 60, 240, 120);
  EXPECT_FALSE(IsWindowVisible(w.handle));
  EXPECT_FALSE(ShowWindow(w.handle, SW_SHOWNORMAL));
  EXPECT_TRUE(IsWindowVisible(w.handle));
  EXPECT_EQ(w.handle, GetActiveWindow());
  EXPECT_EQ(w.handle, GetFocus());

  w.clear();
  ShowWindow(w.handle, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(w.handle));
  RECT work, r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(w.handle, &r);
  EXPECT_EQ(work.left - 4, r.left);
  EXPECT_EQ(work.right + 4, r.right);
  EXPECT_EQ(work.top - 4, r.top);
  bool sawMaximized = false;
  for (const auto& m : w.log()) sawMaximized |= m.message == WM_SIZE && m.wParam == SIZE_MAXIMIZED;
  EXPECT_TRUE(sawMaximized);

  ShowWindow(w.handle, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w.handle));
  EXPECT_FALSE(IsZoomed(w.handle));
  auto state = display->window(reinterpret_cast<uintptr_t>(w.handle));
  ASSERT_TRUE(state.has_value());
  EXPECT_FALSE(state->visible) << "a minimized window is not on the screen";

  ShowWindow(w.handle, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w.handle));
  GetWindowRect(w.handle, &r);
  EXPECT_EQ(50, r.left);
  EXPECT_EQ(60, r.top);
  EXPECT_EQ(240, r.right - r.left);

  EXPECT_TRUE(ShowWindow(w.handle, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(w.handle));
  EXPECT_FALSE(display->window(reinterpret_cast<uintptr_t>(w.handle))->visible);
  DestroyWindow(w.handle);
}

TEST_F(Geometry, TopmostWindowsStayAboveTheOthers) {
  TestWindow normal, topmost, later;
  normal.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
  topmost.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, WS_EX_TOPMOST);
  later.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
  EXPECT_EQ(topmost.handle, GetWindow(later.handle, GW_HWNDPREV));
  auto order = display->stackingOrder();
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(topmost.handle), order.back());
  SetWindowPos(topmost.handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLongW(topmost.handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
  DestroyWindow(normal.handle);
  DestroyWindow(topmost.handle);
  DestroyWindow(later.handle);
}

TEST_F(Geometry, MetricsAndMonitorsFollowTheScreen) {
  platform::display::ScreenInfo two;
  two.monitors.push_back({{0, 0, 800, 600}, {0, 0, 800, 560}, true});
  two.monitors.push_back({{800, 0, 1824, 768}, {800, 0, 1824, 768}, false});
  platform::display::ScreenInfo before = display->screen();
  display->setScreen(two);
  EXPECT_EQ(800, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(1824, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(768, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(2, GetSystemMetrics(SM_CMONITORS));
  EXPECT_EQ(4, GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(26, GetSystemMetrics(SM_CYCAPTION));
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(560, work.bottom);
  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(3u, lines);

  RECT onSecond{900, 100, 1000, 200}, straddling{700, 0, 1000, 100}, away{5000, 5000, 5010, 5010};
  MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&onSecond, MONITOR_DEFAULTTONULL), &info));
  EXPECT_EQ(800, info.rcMonitor.left);
  EXPECT_EQ(0u, info.dwFlags);
  GetMonitorInfoW(MonitorFromRect(&straddling, MONITOR_DEFAULTTONULL), &info);
  EXPECT_EQ(800, info.rcMonitor.left) << "the monitor with most of the rectangle";
  EXPECT_EQ(nullptr, MonitorFromRect(&away, MONITOR_DEFAULTTONULL));
  GetMonitorInfoW(MonitorFromRect(&away, MONITOR_DEFAULTTOPRIMARY), &info);
  EXPECT_EQ(static_cast<DWORD>(MONITORINFOF_PRIMARY), info.dwFlags);
  GetMonitorInfoW(MonitorFromRect(&away, MONITOR_DEFAULTTONEAREST), &info);
  EXPECT_EQ(800, info.rcMonitor.left);
  display->setScreen(before);
}

TEST(SystemColors, OneSchemeWithBrushesThatSurviveDeletion) {
  EXPECT_EQ(RGB(236, 233, 216), GetSysColor(COLOR_BTNFACE));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(nullptr, face);
  EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
  DeleteObject(face);
  LOGBRUSH lb{};
  ASSERT_EQ(static_cast<int>(sizeof(lb)), GetObjectW(face, sizeof(lb), &lb));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), lb.lbColor);
}

}  // namespace
