#include "user/MoveSizeLoop.h"

#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

#include <algorithm>

namespace platform::user {

namespace {

// The rectangle in the coordinates SetWindowPos takes: the parent's client area for a child.
RECT placementRect(HWND window) {
  auto& wm = WindowManager::instance();
  auto guard = wm.lock();
  Window* w = wm.find(window);
  return w ? w->windowRect : RECT{};
}

}  // namespace

void MoveSizeLoop::run(HWND window, WPARAM command, POINT start) {
  auto& wm = WindowManager::instance();
  bool sizing = (command & 0xFFF0) == SC_SIZE;
  int edge = static_cast<int>(command & 0x0F);
  if (sizing && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return;
  MINMAXINFO limits = WindowPositioner::minMaxInfo(window);
  RECT origin = placementRect(window);
  SetCapture(window);
  wm.send(window, WM_ENTERSIZEMOVE);
  RECT current = origin;
  MSG msg;
  for (;;) {
    if (!IsWindow(window) || GetCapture() != window) break;
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
      RECT r = origin;
      if (!sizing) {
        OffsetRect(&r, dx, dy);
        wm.send(window, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
      } else {
        bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
        bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
        bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
        bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
        if (left) r.left += dx;
        if (right) r.right += dx;
        if (top) r.top += dy;
        if (bottom) r.bottom += dy;
        // The tracking limits hold the moving edges; the opposite edges stay where they are.
        int minW = limits.ptMinTrackSize.x, maxW = std::max(minW, static_cast<int>(limits.ptMaxTrackSize.x));
        int minH = limits.ptMinTrackSize.y, maxH = std::max(minH, static_cast<int>(limits.ptMaxTrackSize.y));
        int w = std::clamp<int>(r.right - r.left, minW, maxW), h = std::clamp<int>(r.bottom - r.top, minH, maxH);
        if (left) r.left = r.right - w; else r.right = r.left + w;
        if (top) r.top = r.bottom - h; else r.bottom = r.top + h;
        wm.send(window, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
      }
      if (!EqualRect(&r, &current)) {
        current = r;
        WindowPositioner::setWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE | (sizing ? 0 : SWP_NOSIZE));
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      WindowPositioner::setWindowPos(window, nullptr, origin.left, origin.top, origin.right - origin.left,
                                     origin.bottom - origin.top, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;  // the loop owns the mouse
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == window) ReleaseCapture();
  if (IsWindow(window)) wm.send(window, WM_EXITSIZEMOVE);
}

}  // namespace platform::user
