// Painting: invalidation merging into one WM_PAINT, erasing, clipping of children, what the display
// is shown, the frame, layered windows, window regions and PNG pictures.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using platform::display::DisplaySelection;
using testsupport::pumpMessages;
using testsupport::TestWindow;

namespace {

uint32_t pixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

class Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
    display->setDecorationExtents(platform::display::DecorationExtents{4, 30, 4, 4});
  }
  // The presented pixel at window coordinates.
  uint32_t shown(HWND w, int x, int y) {
    auto state = display->window(reinterpret_cast<uintptr_t>(w));
    if (!state || x < 0 || y < 0 || x >= state->width || y >= state->height) return 0xFF000000;
    return state->pixels[static_cast<size_t>(y) * state->width + x] & 0xFFFFFF;
  }
  // A handler that fills the client area with one colour on WM_PAINT and remembers rcPaint.
  static TestWindow::Handler filler(COLORREF color, RECT* lastPaint = nullptr) {
    return [color, lastPaint](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (lastPaint) *lastPaint = ps.rcPaint;
      RECT all;
      GetClientRect(h, &all);
      HBRUSH brush = CreateSolidBrush(color);
      FillRect(dc, &all, brush);
      DeleteObject(brush);
      EndPaint(h, &ps);
      return 0;
    };
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

TEST_F(Paint, InvalidationsMergeIntoOnePaint) {
  TestWindow w;
  RECT painted{};
  w.onMessage(filler(RGB(10, 20, 30), &painted));
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  pumpMessages();
  EXPECT_EQ(1, w.count(WM_PAINT));
  w.clear();
  RECT a{10, 10, 20, 20}, b{50, 60, 70, 80}, c{15, 15, 30, 30};
  InvalidateRect(w.handle, &a, TRUE);
  InvalidateRect(w.handle, &b, FALSE);
  InvalidateRect(w.handle, &c, TRUE);
  pumpMessages();
  EXPECT_EQ(1, w.count(WM_PAINT));
  EXPECT_EQ(1, w.count(WM_ERASEBKGND));
  EXPECT_EQ(10, painted.left);
  EXPECT_EQ(10, painted.top);
  EXPECT_EQ(70, painted.right);
  EXPECT_EQ(80, painted.bottom);
  DestroyWindow(w.handle);
}

TEST_F(Paint, PaintWaitsForTheQueueToBeOtherwiseEmptyAndValidationCancelsIt) {
  TestWindow w;
  w.onMessage(filler(RGB(1, 2, 3)));
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  pumpMessages();
  InvalidateRect(w.handle, nullptr, FALSE);
  PostMessageW(w.handle, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_USER), msg.message);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(static_cast<UINT>(WM_PAINT), msg.message);
  DispatchMessageW(&msg);
  InvalidateRect(w.handle, nullptr, FALSE);
  ValidateRect(w.handle, nullptr);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  // A hidden window has nothing to paint.
  ShowWindow(w.handle, SW_HIDE);
  InvalidateRect(w.handle, nullptr, FALSE);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  DestroyWindow(w.handle);
}

TEST_F(Paint, TheClassBackgroundErasesAndTheDisplayIsShownThePixels) {
  TestWindow w;
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
  pumpMessages();
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_WINDOW)), shown(w.handle, 5, 5));
  HDC dc = GetDC(w.handle);
  SetPixel(dc, 3, 4, RGB(200, 100, 50));
  ReleaseDC(w.handle, dc);
  EXPECT_EQ(0xC86432u, shown(w.handle, 3, 4));
  DestroyWindow(w.handle);
}

TEST_F(Paint, ClippingKeepsTheParentsPaintingOutOfItsChild) {
  TestWindow parent, child;
  parent.onMessage(filler(RGB(255, 0, 0)));
  child.onMessage(filler(RGB(0, 0, 255)));
  parent.create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
  child.create(WS_CHILD | WS_VISIBLE, 20, 20, 30, 30, parent.handle);
  pumpMessages();
  EXPECT_EQ(0xFF0000u, shown(parent.handle, 5, 5));
  EXPECT_EQ(0x0000FFu, shown(parent.handle, 25, 25));
  child.clear();
  InvalidateRect(parent.handle, nullptr, TRUE);
  pumpMessages();
  EXPECT_EQ(0, child.count(WM_PAINT)) << "WS_CLIPCHILDREN keeps the child out of the parent's invalidation";
  EXPECT_EQ(0x0000FFu, shown(parent.handle, 25, 25));
  // Drawing through GetDC is clipped the same way.
  HDC dc = GetDC(parent.handle);
  RECT all{0, 0, 100, 100};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &all, green);
  ReleaseDC(parent.handle, dc);
  EXPECT_EQ(0x00FF00u, shown(parent.handle, 5, 5));
  EXPECT_EQ(0x0000FFu, shown(parent.handle, 25, 25));
  // The child cannot paint outside itself either.
  dc = GetDC(child.handle);
  FillRect(dc, &all, green);
  ReleaseDC(child.handle, dc);
  EXPECT_EQ(0x00FF00u, shown(parent.handle, 60, 60));
  EXPECT_EQ(0x00FF00u, shown(parent.handle, 25, 25));
  DeleteObject(green);
  DestroyWindow(parent.handle);
}

TEST_F(Paint, WithoutClipChildrenTheChildIsRepaintedAfterItsParent) {
  TestWindow parent, child;
  std::vector<HWND> order;
  auto record = [&](COLORREF color) {
    auto fill = filler(color);
    return [&order, fill](HWND h, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
      if (m == WM_PAINT) order.push_back(h);
      return fill(h, m, wp, lp);
    };
  };
  parent.onMessage(record(RGB(255, 0, 0)));
  child.onMessage(record(RGB(0, 0, 255)));
  parent.create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  child.create(WS_CHILD | WS_VISIBLE, 20, 20, 30, 30, parent.handle);
  pumpMessages();
  order.clear();
  InvalidateRect(parent.handle, nullptr, TRUE);
  pumpMessages();
  EXPECT_EQ((std::vector<HWND>{parent.handle, child.handle}), order);
  EXPECT_EQ(0x0000FFu, shown(parent.handle, 25, 25));
  DestroyWindow(parent.handle);
}

TEST_F(Paint, MovingAChildRepaintsWhereItWasAndWhereItIs) {
  TestWindow parent, child;
  parent.onMessage(filler(RGB(255, 0, 0)));
  child.onMessage(filler(RGB(0, 0, 255)));
  parent.create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
  child.create(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.handle);
  pumpMessages();
  MoveWindow(child.handle, 50, 50, 20, 20, TRUE);
  pumpMessages();
  EXPECT_EQ(0xFF0000u, shown(parent.handle, 5, 5));
  EXPECT_EQ(0x0000FFu, shown(parent.handle, 55, 55));
  DestroyWindow(parent.handle);
}

TEST_F(Paint, TheFrameIsPaintedInTheSchemesColours) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120, 80, nullptr, WS_EX_CLIENTEDGE);
  pumpMessages();
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_ACTIVECAPTION)), shown(w.handle, 60, 15));
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_ACTIVEBORDER)), shown(w.handle, 1, 60));
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_BTNSHADOW)), shown(w.handle, 4, 60)) << "the client edge's outer line";
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_3DDKSHADOW)), shown(w.handle, 5, 60));
  EXPECT_EQ(pixelOf(GetSysColor(COLOR_WINDOW)), shown(w.handle, 60, 50));
  DestroyWindow(w.handle);
}

TEST_F(Paint, LayeredAlphaAndWindowRegionsReachTheDisplay) {
  TestWindow w;
  w.onMessage(filler(RGB(255, 255, 255)));
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, WS_EX_LAYERED | WS_EX_TOPMOST);
  ASSERT_TRUE(SetLayeredWindowAttributes(w.handle, 0, 128, LWA_ALPHA));
  SetWindowRgn(w.handle, CreateRectRgn(0, 0, 10, 20), TRUE);
  pumpMessages();
  auto state = display->window(reinterpret_cast<uintptr_t>(w.handle));
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(128, state->alpha);
  ASSERT_EQ(1u, state->shape.size());
  EXPECT_EQ(10, state->shape[0].right);
  int width = 0, height = 0;
  auto screen = display->composeScreen(&width, &height);
  EXPECT_EQ(0x808080u, screen[5] & 0xFFFFFF) << "half of white over black";
  EXPECT_EQ(0u, screen[15] & 0xFFFFFF) << "outside the region";
  // Outside the region the window takes no input either.
  EXPECT_NE(w.handle, WindowFromPoint(POINT{15, 5}));
  EXPECT_EQ(w.handle, WindowFromPoint(POINT{5, 5}));
  DestroyWindow(w.handle);
}

TEST_F(Paint, APictureOfTheWindowIsAPngFile) {
  TestWindow w;
  w.onMessage(filler(RGB(0, 128, 0)));
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 16, 8);
  pumpMessages();
  std::string path = ::testing::TempDir() + "vesper_window.png";
  ASSERT_TRUE(display->writeWindowPng(reinterpret_cast<uintptr_t>(w.handle), path));
  std::ifstream file(path, std::ios::binary);
  char signature[8] = {};
  file.read(signature, 8);
  EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(signature, 8));
  std::remove(path.c_str());
  EXPECT_FALSE(display->writeWindowPng(reinterpret_cast<uintptr_t>(w.handle), "/nonexistent-dir/x.png"));
  DestroyWindow(w.handle);
}

}  // namespace
