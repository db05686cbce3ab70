// Text drawn while a window paints reaches the display, inside the window's clipping.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/text.h>

#include <gtest/gtest.h>

using platform::display::DisplaySelection;
using testsupport::pumpMessages;
using testsupport::TestWindow;

namespace {

class TextInWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
  }
  // Pixels of the presented window that are not the class background, within a window rectangle.
  int inked(HWND w, const RECT& area) {
    auto state = display->window(reinterpret_cast<uintptr_t>(w));
    if (!state) return -1;
    uint32_t background = (GetRValue(GetSysColor(COLOR_WINDOW)) << 16) | (GetGValue(GetSysColor(COLOR_WINDOW)) << 8) |
                          GetBValue(GetSysColor(COLOR_WINDOW));
    int n = 0;
    for (int y = area.top; y < area.bottom && y < state->height; ++y)
      for (int x = area.left; x < area.right && x < state->width; ++x)
        n += (state->pixels[static_cast<size_t>(y) * state->width + x] & 0xFFFFFF) != background;
    return n;
  }
  static TestWindow::Handler writer(const char16_t* text) {
    return [text](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      RECT all;
      GetClientRect(h, &all);
      DrawTextW(dc, text, -1, &all, DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(h, &ps);
      return 0;
    };
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

}  // namespace

TEST_F(TextInWindow, PaintedTextIsShown) {
  TestWindow w;
  w.onMessage(writer(u"Hibernate Hibernate"));
  w.create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 20);
  pumpMessages();
  EXPECT_GT(inked(w.handle, RECT{0, 0, 200, 20}), 0);
  DestroyWindow(w.handle);
}

TEST_F(TextInWindow, AChildKeepsItsParentsTextOut) {
  TestWindow parent, child;
  parent.onMessage(writer(u"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
  parent.create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 20);
  child.create(WS_CHILD | WS_VISIBLE, 40, 0, 60, 20, parent.handle);
  pumpMessages();
  EXPECT_GT(inked(parent.handle, RECT{0, 0, 40, 20}), 0);
  EXPECT_EQ(inked(parent.handle, RECT{40, 0, 100, 20}), 0);
  DestroyWindow(parent.handle);
}
