// Window placement and state queries, coordinate mapping, layered windows and window regions.
#include <win/user.h>

#include "gdi/GdiObjects.h"
#include "gdi/RegionObject.h"
#include "user/Activation.h"
#include "user/InputRouter.h"
#include "user/NonClient.h"
#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

using platform::user::Window;
using platform::user::WindowManager;
using platform::user::WindowPositioner;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

}  // namespace

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return WindowPositioner::setWindowPos(window, insertAfter, x, y, width, height, flags);
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return WindowPositioner::setWindowPos(window, nullptr, x, y, width, height,
                                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI ShowWindow(HWND window, int command) { return WindowPositioner::showWindow(window, command); }

BOOL WINAPI BringWindowToTop(HWND window) {
  return WindowPositioner::setWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI IsWindowVisible(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return FALSE;
  while (w && w->visibleStyle()) {
    if (!w->isChild()) return TRUE;
    w = manager().find(w->parent);
  }
  return FALSE;
}

BOOL WINAPI IsIconic(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZE) != 0; }

BOOL WINAPI IsZoomed(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZE) != 0; }

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !rect) return FALSE;
  *rect = manager().windowRectOnScreen(w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !point) return FALSE;
  POINT origin = manager().clientOriginOnScreen(w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !point) return FALSE;
  POINT origin = manager().clientOriginOnScreen(w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  auto guard = manager().lock();
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window* w = manager().find(from);
    if (!w) return 0;
    a = manager().clientOriginOnScreen(w);
  }
  if (to) {
    Window* w = manager().find(to);
    if (!w) return 0;
    b = manager().clientOriginOnScreen(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT insets = platform::user::NonClient::frameInsets(style, exStyle, (style & WS_CHILD) != 0);
  rect->left -= insets.left;
  rect->top -= insets.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

HWND WINAPI WindowFromPoint(POINT point) {
  int hit = HTNOWHERE;
  return platform::user::InputRouter::instance().hitTest(point, &hit);
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT point) {
  auto guard = manager().lock();
  Window* w = manager().find(parent);
  if (!w) return nullptr;
  RECT client{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top};
  if (!PtInRect(&client, point)) return nullptr;
  for (HWND h : w->children) {
    Window* c = manager().find(h);
    if (c && PtInRect(&c->windowRect, point)) return h;
  }
  return parent;
}

BOOL WINAPI SetLayeredWindowAttributes(HWND window, COLORREF, BYTE alpha, DWORD flags) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  w->alpha = (flags & LWA_ALPHA) ? alpha : 255;
  if (!w->isChild() && w->onDisplay) manager().display().setOpacity(platform::user::displayId(window), w->alpha);
  return TRUE;
}

BOOL WINAPI GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  if (key) *key = 0;
  if (alpha) *alpha = w->alpha;
  if (flags) *flags = LWA_ALPHA;
  return TRUE;
}

// The window takes the region over: its shape is kept as a copy and the handle is deleted.
int WINAPI SetWindowRgn(HWND window, HRGN region, BOOL redraw) {
  std::optional<platform::gdi::Region> shape;
  if (region) {
    auto& objects = platform::gdi::GdiObjects::instance();
    std::lock_guard lock(objects.mutex());
    auto* r = objects.get<platform::gdi::RegionObject>(region, platform::gdi::GdiKind::region);
    if (!r) return 0;
    shape = r->region;
  }
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return 0;
    w->shape = shape;
    if (!w->isChild() && w->onDisplay) {
      std::vector<platform::display::Rect> rects;
      if (shape)
        for (const RECT& r : shape->rects()) rects.push_back(platform::display::Rect{r.left, r.top, r.right, r.bottom});
      if (shape && rects.empty()) rects.push_back(platform::display::Rect{0, 0, 0, 0});
      manager().display().setShape(platform::user::displayId(window), rects);
    }
    if (redraw) manager().invalidateAll(w, true);
  }
  if (region) DeleteObject(region);
  return 1;
}

int WINAPI GetWindowRgn(HWND window, HRGN region) {
  platform::gdi::Region shape;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || !w->shape) return ERROR;
    shape = *w->shape;
  }
  auto& objects = platform::gdi::GdiObjects::instance();
  std::lock_guard lock(objects.mutex());
  auto* r = objects.get<platform::gdi::RegionObject>(region, platform::gdi::GdiKind::region);
  if (!r) return ERROR;
  r->region = shape;
  return shape.kind();
}
