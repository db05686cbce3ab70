#include "user/NonClient.h"

#include "user/WindowManager.h"

#include <algorithm>

namespace platform::user {

bool NonClient::decorated(DWORD style, bool child) {
  return !child && ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME));
}

RECT NonClient::frameInsets(DWORD style, DWORD exStyle, bool child) {
  RECT r{0, 0, 0, 0};
  if (decorated(style, child)) {
    display::DecorationExtents e = WindowManager::instance().display().decorationExtents();
    r = RECT{e.left, e.top, e.right, e.bottom};
    if ((style & WS_CAPTION) != WS_CAPTION) r.top = e.bottom;  // a sizing frame without a caption
  } else if (style & WS_DLGFRAME) {
    r = RECT{3, 3, 3, 3};
  } else if (style & WS_BORDER) {
    r = RECT{1, 1, 1, 1};
  }
  int edge = (exStyle & WS_EX_CLIENTEDGE) ? 2 : ((exStyle & WS_EX_STATICEDGE) ? 1 : 0);
  r.left += edge;
  r.top += edge;
  r.right += edge;
  r.bottom += edge;
  return r;
}

LRESULT NonClient::hitTest(HWND window, POINT p) {
  auto& wm = WindowManager::instance();
  auto guard = wm.lock();
  Window* w = wm.find(window);
  if (!w) return HTNOWHERE;
  RECT outer = wm.windowRectOnScreen(w);
  if (p.x < outer.left || p.x >= outer.right || p.y < outer.top || p.y >= outer.bottom) return HTNOWHERE;
  POINT origin = wm.clientOriginOnScreen(w);
  RECT client{origin.x, origin.y, origin.x + w->clientRect.right - w->clientRect.left,
              origin.y + w->clientRect.bottom - w->clientRect.top};
  if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom) return HTCLIENT;
  if (!decorated(w->style, w->isChild())) return HTBORDER;
  display::DecorationExtents e = wm.display().decorationExtents();
  bool sizable = (w->style & WS_THICKFRAME) && !(w->style & (WS_MAXIMIZE | WS_MINIMIZE));
  if (sizable) {
    // Corners reach along the edges as far as the caption is tall, so they are easy to grab.
    int corner = std::max(e.top, e.left);
    bool left = p.x < outer.left + e.left, right = p.x >= outer.right - e.right;
    bool top = p.y < outer.top + e.bottom, bottom = p.y >= outer.bottom - e.bottom;
    bool nearLeft = p.x < outer.left + corner, nearRight = p.x >= outer.right - corner;
    bool nearTop = p.y < outer.top + corner, nearBottom = p.y >= outer.bottom - corner;
    if (left) return nearTop ? HTTOPLEFT : (nearBottom ? HTBOTTOMLEFT : HTLEFT);
    if (right) return nearTop ? HTTOPRIGHT : (nearBottom ? HTBOTTOMRIGHT : HTRIGHT);
    if (top) return nearLeft ? HTTOPLEFT : (nearRight ? HTTOPRIGHT : HTTOP);
    if (bottom) return nearLeft ? HTBOTTOMLEFT : (nearRight ? HTBOTTOMRIGHT : HTBOTTOM);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION && p.y < outer.top + e.top && p.y >= outer.top + e.bottom &&
      p.x >= outer.left + e.left && p.x < outer.right - e.right)
    return HTCAPTION;
  return HTBORDER;
}

void NonClient::paint(HWND window, bool active) {
  RECT outer{}, client{};
  DWORD style = 0, exStyle = 0;
  bool child = false;
  {
    auto& wm = WindowManager::instance();
    auto guard = wm.lock();
    Window* w = wm.find(window);
    if (!w) return;
    outer = RECT{0, 0, w->width(), w->height()};
    client = RECT{w->clientRect.left - w->windowRect.left, w->clientRect.top - w->windowRect.top,
                  w->clientRect.right - w->windowRect.left, w->clientRect.bottom - w->windowRect.top};
    style = w->style;
    exStyle = w->exStyle;
    child = w->isChild();
  }
  if (EqualRect(&outer, &client)) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  RECT frame = outer;
  if (decorated(style, child)) {
    display::DecorationExtents e = WindowManager::instance().display().decorationExtents();
    FillRect(dc, &frame, GetSysColorBrush(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
    if ((style & WS_CAPTION) == WS_CAPTION) {
      RECT caption{e.left, e.bottom, outer.right - e.right, e.top};
      FillRect(dc, &caption, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    frame = RECT{e.left, (style & WS_CAPTION) == WS_CAPTION ? e.top : e.bottom, outer.right - e.right,
                 outer.bottom - e.bottom};
  } else if (style & (WS_BORDER | WS_DLGFRAME)) {
    FillRect(dc, &frame, GetSysColorBrush((style & WS_DLGFRAME) ? COLOR_BTNFACE : COLOR_WINDOWFRAME));
    int t = (style & WS_DLGFRAME) ? 3 : 1;
    InflateRect(&frame, -t, -t);
  }
  if (exStyle & WS_EX_CLIENTEDGE) {
    // The sunken edge: shadow and dark shadow above and left, highlight and light below and right.
    RECT r = frame;
    auto line = [&](int l, int t, int rr, int b, int color) {
      RECT x{l, t, rr, b};
      FillRect(dc, &x, GetSysColorBrush(color));
    };
    line(r.left, r.top, r.right, r.top + 1, COLOR_BTNSHADOW);
    line(r.left, r.top, r.left + 1, r.bottom, COLOR_BTNSHADOW);
    line(r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
    line(r.right - 1, r.top, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
    InflateRect(&r, -1, -1);
    line(r.left, r.top, r.right, r.top + 1, COLOR_3DDKSHADOW);
    line(r.left, r.top, r.left + 1, r.bottom, COLOR_3DDKSHADOW);
    line(r.left, r.bottom - 1, r.right, r.bottom, COLOR_3DLIGHT);
    line(r.right - 1, r.top, r.right, r.bottom, COLOR_3DLIGHT);
  } else if (exStyle & WS_EX_STATICEDGE) {
    RECT r = frame;
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  }
  ReleaseDC(window, dc);
}

}  // namespace platform::user
