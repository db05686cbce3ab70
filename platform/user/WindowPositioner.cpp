#include "user/WindowPositioner.h"

#include "user/Activation.h"
#include "user/NonClient.h"
#include "user/WindowManager.h"

#include <algorithm>

namespace platform::user {

namespace {

WindowManager& manager() { return WindowManager::instance(); }

// Moves a window within its siblings as insertAfter asks; answers whether the order changed.
bool restack(Window* w, HWND insertAfter) {
  std::vector<HWND>* siblings = manager().siblingsOf(w);
  if (!siblings) return false;
  std::vector<HWND> before = *siblings;
  bool topLevel = !w->isChild();
  if (topLevel && insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (topLevel && insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  siblings->erase(std::remove(siblings->begin(), siblings->end(), w->handle), siblings->end());
  auto isTopmost = [&](HWND h) {
    Window* o = manager().find(h);
    return topLevel && o && (o->exStyle & WS_EX_TOPMOST);
  };
  // The band of the window: topmost windows stay above the others.
  auto bandBegin = siblings->begin();
  auto bandEnd = siblings->end();
  if (topLevel) {
    auto firstNormal = std::find_if(siblings->begin(), siblings->end(), [&](HWND h) { return !isTopmost(h); });
    if (w->exStyle & WS_EX_TOPMOST) bandEnd = firstNormal;
    else bandBegin = firstNormal;
  }
  auto pos = bandBegin;
  if (insertAfter == HWND_BOTTOM) {
    pos = bandEnd;
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
    auto after = std::find(siblings->begin(), siblings->end(), insertAfter);
    if (after != siblings->end()) pos = std::clamp(after + 1, bandBegin, bandEnd);
  }
  siblings->insert(pos, w->handle);
  return before != *siblings;
}

void syncDisplayStacking(Window* w) {
  auto& list = manager().topLevels();
  auto pos = std::find(list.begin(), list.end(), w->handle);
  if (pos == list.end()) return;
  uint64_t below = (pos + 1 != list.end()) ? displayId(*(pos + 1)) : 0;
  manager().display().setStacking(displayId(w->handle), below, (w->exStyle & WS_EX_TOPMOST) != 0);
}

}  // namespace

MINMAXINFO WindowPositioner::minMaxInfo(HWND window) {
  MINMAXINFO info{};
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return info;
    RECT insets = NonClient::frameInsets(w->style, w->exStyle, w->isChild());
    RECT r = manager().windowRectOnScreen(w);
    HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfoW(monitor, &mi);
    // Maximized, the borders leave the work area and the caption stays at its top.
    info.ptMaxSize = POINT{mi.rcWork.right - mi.rcWork.left + insets.left + insets.right,
                           mi.rcWork.bottom - mi.rcWork.top + 2 * insets.bottom};
    info.ptMaxPosition = POINT{mi.rcWork.left - insets.left, mi.rcWork.top - insets.bottom};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  }
  manager().send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

BOOL WindowPositioner::setWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  WINDOWPOS pos{window, insertAfter, x, y, width, height, flags & ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE)};
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || w->desktop) return FALSE;
    if (flags & SWP_NOMOVE) {
      pos.x = w->windowRect.left;
      pos.y = w->windowRect.top;
    }
    if (flags & SWP_NOSIZE) {
      pos.cx = w->width();
      pos.cy = w->height();
    }
  }
  pos.cx = std::max(0, pos.cx);
  pos.cy = std::max(0, pos.cy);
  if (!(flags & SWP_NOSENDCHANGING))
    manager().send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  pos.cx = std::max(0, pos.cx);
  pos.cy = std::max(0, pos.cy);

  RECT oldWindow{}, oldClient{}, newWindow{};
  bool sized = false;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    oldWindow = w->windowRect;
    oldClient = w->clientRect;
    newWindow = oldWindow;
    if (!(pos.flags & SWP_NOMOVE)) OffsetRect(&newWindow, pos.x - oldWindow.left, pos.y - oldWindow.top);
    if (!(pos.flags & SWP_NOSIZE)) {
      newWindow.right = newWindow.left + pos.cx;
      newWindow.bottom = newWindow.top + pos.cy;
    }
    sized = (newWindow.right - newWindow.left) != (oldWindow.right - oldWindow.left) ||
            (newWindow.bottom - newWindow.top) != (oldWindow.bottom - oldWindow.top);
  }
  RECT newClient = oldClient;
  OffsetRect(&newClient, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
  if (sized || (pos.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{{newWindow, oldWindow, oldClient}, &pos};
    manager().send(window, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    newClient = params.rgrc[0];
  }

  bool showing = false, hiding = false, activate = false;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    bool wasVisible = manager().reallyVisible(w);
    bool moved = newWindow.left != oldWindow.left || newWindow.top != oldWindow.top;
    bool zChanged = !(pos.flags & SWP_NOZORDER) && restack(w, pos.hwndInsertAfter);
    w->windowRect = newWindow;
    w->clientRect = newClient;
    if ((pos.flags & SWP_SHOWWINDOW) && !w->visibleStyle()) {
      w->style |= WS_VISIBLE;
      showing = true;
    } else if ((pos.flags & SWP_HIDEWINDOW) && w->visibleStyle()) {
      w->style &= ~WS_VISIBLE;
      hiding = true;
    }
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = w->windowRect;
    if (!moved) pos.flags |= SWP_NOMOVE;
    if (!sized) pos.flags |= SWP_NOSIZE;
    if (newClient.left == oldClient.left && newClient.top == oldClient.top) pos.flags |= SWP_NOCLIENTMOVE;
    if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
        newClient.bottom - newClient.top == oldClient.bottom - oldClient.top)
      pos.flags |= SWP_NOCLIENTSIZE;
    pos.x = newWindow.left;
    pos.y = newWindow.top;
    pos.cx = newWindow.right - newWindow.left;
    pos.cy = newWindow.bottom - newWindow.top;

    if (!w->isChild()) {
      auto& display = manager().display();
      uint64_t id = displayId(window);
      if (moved || sized) display.setGeometry(id, display::Rect{newWindow.left, newWindow.top, newWindow.right, newWindow.bottom});
      if (sized) manager().ensureSurface(w);
      if (zChanged) syncDisplayStacking(w);
      if (showing || hiding || (pos.flags & SWP_STATECHANGED))
        display.setVisible(id, w->visibleStyle() && !(w->style & WS_MINIMIZE));
    }
    bool nowVisible = manager().reallyVisible(w);
    if (!(pos.flags & SWP_NOREDRAW)) {
      Window* parent = manager().parentOf(w);
      if (parent && wasVisible && (moved || sized || hiding || zChanged))
        manager().invalidate(parent, gdi::Region(oldWindow), true, false, true, false);
      if (nowVisible && (sized || showing || (moved && parent) || zChanged || (pos.flags & SWP_FRAMECHANGED) ||
                         (pos.flags & SWP_STATECHANGED)))
        manager().invalidateAll(w, true);
    }
    activate = !w->isChild() && nowVisible && !(pos.flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE) &&
               !(w->style & WS_DISABLED) && manager().active != window;
  }
  if (hiding) Activation::forget(window, true);
  if (activate) Activation::activate(window, false);
  manager().send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

BOOL WindowPositioner::showWindow(HWND window, int command) {
  bool wasVisible, minimized, maximized, child;
  RECT normal{};
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || w->desktop) return FALSE;
    wasVisible = w->visibleStyle();
    minimized = (w->style & WS_MINIMIZE) != 0;
    maximized = (w->style & WS_MAXIMIZE) != 0;
    child = w->isChild();
    normal = w->normalRect;
  }
  auto setState = [&](DWORD add, DWORD clear) {
    auto guard = manager().lock();
    if (Window* w = manager().find(window)) w->style = (w->style & ~clear) | add;
  };
  auto announceShow = [&] {
    if (!wasVisible) manager().send(window, WM_SHOWWINDOW, TRUE, 0);
  };
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      manager().send(window, WM_SHOWWINDOW, FALSE, 0);
      setWindowPos(window, nullptr, 0, 0, 0, 0, keep | SWP_NOACTIVATE | SWP_HIDEWINDOW);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      announceShow();
      if (!minimized) {
        setState(WS_MINIMIZE, WS_MAXIMIZE);
        {
          auto guard = manager().lock();
          if (Window* w = manager().find(window); w && !maximized) w->normalRect = normal;
        }
        UINT extra = command == SW_SHOWMINIMIZED ? 0 : SWP_NOACTIVATE;
        int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
        setWindowPos(window, nullptr, -32000, -32000, 160, height,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_STATECHANGED | extra);
        if (command != SW_SHOWMINIMIZED) Activation::forget(window, true);
      } else if (!wasVisible) {
        setWindowPos(window, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW | SWP_NOACTIVATE);
      }
      return wasVisible;
    }
    case SW_MAXIMIZE: {
      announceShow();
      if (!maximized && !child) {
        setState(WS_MAXIMIZE, WS_MINIMIZE);
        MINMAXINFO info = minMaxInfo(window);
        setWindowPos(window, nullptr, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_STATECHANGED);
      } else {
        setWindowPos(window, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
      }
      return wasVisible;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      announceShow();
      if (minimized || maximized) {
        setState(0, WS_MINIMIZE | WS_MAXIMIZE);
        setWindowPos(window, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_STATECHANGED | (child ? SWP_NOACTIVATE : 0));
      } else {
        setWindowPos(window, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW | (child ? SWP_NOACTIVATE : 0));
      }
      return wasVisible;
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: {
      UINT noActivate = (command == SW_SHOW && !child) ? 0 : SWP_NOACTIVATE;
      if (wasVisible) {
        if (!noActivate) Activation::activate(window, false);
        return TRUE;
      }
      announceShow();
      setWindowPos(window, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW | noActivate);
      return FALSE;
    }
    default:
      return wasVisible;
  }
}

}  // namespace platform::user
