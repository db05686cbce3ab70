// The default window procedure: the documented default answers and actions for the messages the
// window system sends, including the non-client area, painting, text, closing and the move and size loops.
#include <win/user.h>

#include "user/Activation.h"
#include "user/MoveSizeLoop.h"
#include "user/NonClient.h"
#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

#include <algorithm>

using platform::user::Activation;
using platform::user::MoveSizeLoop;
using platform::user::NonClient;
using platform::user::Window;
using platform::user::WindowManager;
using platform::user::WindowPositioner;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

void storeText(HWND window, LPCWSTR text) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return;
  w->text = (text && !IS_INTRESOURCE(text)) ? std::u16string(text) : std::u16string();
  if (!w->isChild() && w->onDisplay) manager().display().setTitle(platform::user::displayId(window), w->text);
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    w->framePending = true;
    manager().refreshPaintCount(w);
  }
}

HCURSOR cursorForHit(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
      return LoadCursorW(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM:
      return LoadCursorW(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return LoadCursorW(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return LoadCursorW(nullptr, IDC_SIZENESW);
    default:
      return LoadCursorW(nullptr, IDC_ARROW);
  }
}

bool resizable(const Window* w) {
  return !w->isChild() && ((w->style & WS_THICKFRAME) || !(w->style & WS_POPUP));
}

}  // namespace

LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      if (create && create->lpszName) storeText(window, create->lpszName);
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      DWORD style, exStyle;
      bool child;
      {
        auto guard = manager().lock();
        Window* w = manager().find(window);
        if (!w) return 0;
        style = w->style;
        exStyle = w->exStyle;
        child = w->isChild();
      }
      RECT insets = NonClient::frameInsets(style, exStyle, child);
      r->left += insets.left;
      r->top += insets.top;
      r->right = std::max(r->left, r->right - insets.right);
      r->bottom = std::max(r->top, r->bottom - insets.bottom);
      return 0;
    }
    case WM_NCHITTEST:
      return NonClient::hitTest(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: {
      HWND root = GetAncestor(window, GA_ROOT);
      NonClient::paint(window, root && manager().activeWindow() == root);
      return 0;
    }
    case WM_NCACTIVATE: {
      auto guard = manager().lock();
      if (Window* w = manager().find(window)) {
        w->framePending = w->framePending || w->frameRectDiffers();
        manager().refreshPaintCount(w);
      }
      return TRUE;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
      if (!brush) return 0;
      ULONG_PTR value = reinterpret_cast<ULONG_PTR>(brush);
      if (value <= COLOR_MENUBAR + 1) brush = GetSysColorBrush(static_cast<int>(value) - 1);
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(window, &ps)) EndPaint(window, &ps);
      return 0;
    }
    case WM_SETTEXT:
      storeText(window, reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPWSTR>(lParam);
      if (!out || wParam == 0) return 0;
      auto guard = manager().lock();
      Window* w = manager().find(window);
      if (!w) return 0;
      size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
      std::copy_n(w->text.data(), n, out);
      out[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: {
      auto guard = manager().lock();
      Window* w = manager().find(window);
      return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_SETICON: {
      auto guard = manager().lock();
      Window* w = manager().find(window);
      if (!w) return 0;
      HICON& slot = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
      HICON old = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: {
      auto guard = manager().lock();
      Window* w = manager().find(window);
      if (!w) return 0;
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          manager().send(window, WM_CLOSE);
          return 0;
        case SC_MOVE:
        case SC_SIZE: {
          POINT start{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          if (lParam == 0) GetCursorPos(&start);
          MoveSizeLoop::run(window, wParam, start);
          return 0;
        }
        case SC_MINIMIZE:
          WindowPositioner::showWindow(window, SW_MINIMIZE);
          return 0;
        case SC_MAXIMIZE:
          WindowPositioner::showWindow(window, SW_MAXIMIZE);
          return 0;
        case SC_RESTORE:
          WindowPositioner::showWindow(window, SW_RESTORE);
          return 0;
        default:
          return 0;
      }
    case WM_NCLBUTTONDOWN: {
      int hit = static_cast<int>(wParam);
      if (hit == HTCAPTION) {
        manager().send(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        manager().send(window, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZEBOX))
        manager().send(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return 0;
    case WM_MOUSEACTIVATE: {
      HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
      if (parent) {
        LRESULT r = manager().send(parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    }
    case WM_SETCURSOR: {
      HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
      if (parent && manager().send(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      int hit = static_cast<short>(LOWORD(lParam));
      if (hit == HTCLIENT) {
        HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
        if (!cursor) return FALSE;
        SetCursor(cursor);
        return TRUE;
      }
      if (hit == HTERROR) return FALSE;
      SetCursor(cursorForHit(hit));
      return TRUE;
    }
    case WM_MOUSEWHEEL: {
      HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
      return parent ? manager().send(parent, message, wParam, lParam) : 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        HWND focus = manager().focusWindow();
        if (!focus || (focus != window && !IsChild(window, focus))) Activation::setFocus(window);
      }
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      bool clamp = false;
      {
        auto guard = manager().lock();
        Window* w = manager().find(window);
        clamp = w && pos && !(pos->flags & SWP_NOSIZE) && resizable(w) && !(w->style & WS_MINIMIZE);
      }
      if (clamp) {
        MINMAXINFO limits = WindowPositioner::minMaxInfo(window);
        pos->cx = std::clamp<int>(pos->cx, limits.ptMinTrackSize.x,
                                  std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
        pos->cy = std::clamp<int>(pos->cy, limits.ptMinTrackSize.y,
                                  std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!pos) return 0;
      RECT client{};
      DWORD style = 0;
      {
        auto guard = manager().lock();
        Window* w = manager().find(window);
        if (!w) return 0;
        client = w->clientRect;
        style = w->style;
      }
      if (!(pos->flags & SWP_NOCLIENTMOVE)) manager().send(window, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
      if (!(pos->flags & SWP_NOCLIENTSIZE) || (pos->flags & SWP_STATECHANGED)) {
        WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED : ((style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED);
        LPARAM size = (style & WS_MINIMIZE) ? 0 : MAKELPARAM(client.right - client.left, client.bottom - client.top);
        manager().send(window, WM_SIZE, kind, size);
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      int background = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(background));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4) manager().send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    default:
      return 0;
  }
}

LRESULT WINAPI CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}
