// The framework's device context: owning and handing back a context, drawing through it into a
// bitmap checked pixel by pixel, and the paint and client contexts of a window.
#include <framework/Dc.h>

#include "platform/support/DibSection.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Dc, DrawsIntoTheSelectedBitmap) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  EXPECT_FALSE(dc.CreateCompatibleDC(nullptr)) << "one context per object";
  uint32_t* pixels = nullptr;
  HBITMAP bitmap = testsupport::makeDibSection(nullptr, 8, 8, &pixels);
  ASSERT_NE(nullptr, pixels);
  HGDIOBJ previous = dc.SelectObject(bitmap);
  EXPECT_NE(nullptr, previous);
  EXPECT_EQ(bitmap, dc.GetCurrentObject(OBJ_BITMAP));

  dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
  dc.FillSolidRect(2, 2, 3, 2, RGB(10, 20, 30));
  dc.SetPixel(7, 7, RGB(1, 2, 3));
  COLORREF bk = dc.SetBkColor(RGB(9, 9, 9));
  RECT r{6, 0, 8, 1};
  dc.FillSolidRect(&r, RGB(0, 0, 255));
  EXPECT_EQ(RGB(9, 9, 9), dc.SetBkColor(bk)) << "FillSolidRect leaves the context's colours alone";
  struct Case {
    int x, y;
    uint32_t pixel;
  };
  const Case cases[] = {{0, 0, 0xFFFFFF}, {2, 2, 0x0A141E}, {4, 3, 0x0A141E}, {5, 3, 0xFFFFFF},
                        {2, 4, 0xFFFFFF}, {7, 7, 0x010203}, {6, 0, 0x0000FF}, {7, 1, 0xFFFFFF}};
  for (const Case& c : cases)
    EXPECT_EQ(c.pixel, pixels[c.y * 8 + c.x] & 0xFFFFFF) << c.x << "," << c.y;
  EXPECT_EQ(RGB(10, 20, 30), dc.GetPixel(3, 3));

  CDC copy;
  copy.CreateCompatibleDC(&dc);
  uint32_t* copied = nullptr;
  HBITMAP target = testsupport::makeDibSection(nullptr, 8, 8, &copied);
  HGDIOBJ copyPrevious = copy.SelectObject(target);
  EXPECT_TRUE(copy.BitBlt(0, 0, 8, 8, &dc, 0, 0, SRCCOPY));
  EXPECT_EQ(0x0A141Eu, copied[3 * 8 + 3] & 0xFFFFFF);
  copy.SelectObject(copyPrevious);
  dc.SelectObject(previous);
  DeleteObject(target);
  DeleteObject(bitmap);
}

TEST(Dc, DetachHandsTheContextBackUndeleted) {
  HDC raw = CreateCompatibleDC(nullptr);
  {
    CDC dc;
    EXPECT_TRUE(dc.Attach(raw));
    EXPECT_FALSE(dc.Attach(raw));
    EXPECT_EQ(raw, dc.GetSafeHdc());
    EXPECT_EQ(raw, dc.Detach());
    EXPECT_EQ(nullptr, dc.m_hDC);
  }
  EXPECT_NE(0, GetDeviceCaps(raw, LOGPIXELSX)) << "still a live context";
  CDC* temporary = CDC::FromHandle(raw);
  EXPECT_EQ(raw, temporary->m_hDC);
  EXPECT_EQ(temporary, CDC::FromHandle(raw));
  CDC::DeleteTempMap();
  EXPECT_NE(0, GetDeviceCaps(raw, LOGPIXELSX)) << "a temporary wrapper does not delete it";
  {
    CDC owner;
    owner.Attach(raw);
  }
  EXPECT_EQ(0, GetDeviceCaps(raw, LOGPIXELSX)) << "an owning wrapper deletes it";
}

constexpr const char16_t* className = u"FrameworkDcTestClass";

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

class Painted : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
      CPaintDC dc(this);
      ++paints;
      paintRect = dc.m_ps.rcPaint;
      dc.FillSolidRect(0, 0, 40, 30, RGB(0, 128, 0));
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int paints = 0;
  RECT paintRect{};
};

TEST(Dc, PaintContextValidatesAndClientContextDraws) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &plainProcedure;
  wc.lpszClassName = className;
  RegisterClassW(&wc);
  Painted wnd;
  ASSERT_TRUE(wnd.CreateEx(0, className, u"", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30, nullptr, nullptr));
  wnd.UpdateWindow();
  EXPECT_EQ(1, wnd.paints);
  EXPECT_EQ(40, wnd.paintRect.right);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, &update, FALSE)) << "the paint context validated the window";
  {
    CClientDC dc(&wnd);
    ASSERT_NE(nullptr, dc.m_hDC);
    EXPECT_EQ(RGB(0, 128, 0), dc.GetPixel(5, 5));
    dc.SetPixel(1, 1, RGB(200, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(1, 1));
  }
  wnd.DestroyWindow();
}

}  // namespace
