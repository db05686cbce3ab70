// System metrics, parameters, colours and monitors, from the display's screen and frame extents.
#include <win/user.h>

#include "user/SystemColors.h"
#include "user/WindowManager.h"

#include <algorithm>
#include <climits>

using platform::display::Monitor;
using platform::display::ScreenInfo;
using platform::user::SystemColors;
using platform::user::WindowManager;

namespace {

platform::display::Display& display() { return WindowManager::instance().display(); }

RECT toRect(const platform::display::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Monitors are handles numbered from one in the display's order.
HMONITOR monitorHandle(size_t index) { return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(index + 1)); }

HMONITOR fallback(const ScreenInfo& screen, DWORD flags, const RECT& r) {
  if (flags == MONITOR_DEFAULTTONULL || screen.monitors.empty()) return nullptr;
  size_t best = 0;
  if (flags == MONITOR_DEFAULTTONEAREST) {
    long long bestDistance = LLONG_MAX;
    for (size_t i = 0; i < screen.monitors.size(); ++i) {
      const auto& a = screen.monitors[i].area;
      long long dx = std::max({0, a.left - r.right, r.left - a.right});
      long long dy = std::max({0, a.top - r.bottom, r.top - a.bottom});
      if (dx * dx + dy * dy < bestDistance) {
        bestDistance = dx * dx + dy * dy;
        best = i;
      }
    }
    return monitorHandle(best);
  }
  for (size_t i = 0; i < screen.monitors.size(); ++i)
    if (screen.monitors[i].primary) return monitorHandle(i);
  return monitorHandle(0);
}

}  // namespace

int WINAPI GetSystemMetrics(int index) {
  ScreenInfo screen = display().screen();
  platform::display::DecorationExtents e = display().decorationExtents();
  const Monitor& primary = screen.primary();
  platform::display::Rect virt = screen.virtualScreen();
  int caption = std::max(0, e.top - e.bottom);
  switch (index) {
    case SM_CXSCREEN:
      return primary.area.width();
    case SM_CYSCREEN:
      return primary.area.height();
    case SM_XVIRTUALSCREEN:
      return virt.left;
    case SM_YVIRTUALSCREEN:
      return virt.top;
    case SM_CXVIRTUALSCREEN:
      return virt.width();
    case SM_CYVIRTUALSCREEN:
      return virt.height();
    case SM_CMONITORS:
      return static_cast<int>(screen.monitors.size());
    case SM_CXFULLSCREEN:
      return primary.workArea.width();
    case SM_CYFULLSCREEN:
      return primary.workArea.height() - caption;
    case SM_CXMAXIMIZED:
      return primary.workArea.width() + e.left + e.right;
    case SM_CYMAXIMIZED:
      return primary.workArea.height() + 2 * e.bottom;
    case SM_CXMAXTRACK:
      return virt.width() + e.left + e.right;
    case SM_CYMAXTRACK:
      return virt.height() + e.top + e.bottom;
    case SM_CXMINTRACK:
    case SM_CXMIN:
      return 112;
    case SM_CYMINTRACK:
    case SM_CYMIN:
      return e.top + e.bottom;
    case SM_CYCAPTION:
      return caption;
    case SM_CXFRAME:
      return e.left;
    case SM_CYFRAME:
      return e.bottom;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYMENU:
      return 20;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return std::max(0, caption - 2);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_MOUSEWHEELPRESENT:
      return 1;
    case SM_SWAPBUTTON:
      return 0;
    default:
      return 0;
  }
}

BOOL WINAPI SystemParametersInfoW(UINT action, UINT, PVOID pvParam, UINT) {
  switch (action) {
    case SPI_GETWORKAREA: {
      if (!pvParam) return FALSE;
      *static_cast<RECT*>(pvParam) = toRect(display().screen().primary().workArea);
      return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 3;
      return TRUE;
    default:
      return FALSE;
  }
}

DWORD WINAPI GetSysColor(int index) { return SystemColors::color(index); }

HBRUSH WINAPI GetSysColorBrush(int index) { return SystemColors::brush(index); }

HMONITOR WINAPI MonitorFromRect(LPCRECT rect, DWORD flags) {
  if (!rect) return nullptr;
  ScreenInfo screen = display().screen();
  long long bestArea = 0;
  HMONITOR best = nullptr;
  for (size_t i = 0; i < screen.monitors.size(); ++i) {
    const auto& a = screen.monitors[i].area;
    long long w = std::min(a.right, static_cast<int>(rect->right)) - std::max(a.left, static_cast<int>(rect->left));
    long long h = std::min(a.bottom, static_cast<int>(rect->bottom)) - std::max(a.top, static_cast<int>(rect->top));
    if (w > 0 && h > 0 && w * h > bestArea) {
      bestArea = w * h;
      best = monitorHandle(i);
    }
  }
  if (!best && rect->left == rect->right && rect->top == rect->bottom) {
    POINT p{rect->left, rect->top};
    return MonitorFromPoint(p, flags);
  }
  return best ? best : fallback(screen, flags, *rect);
}

HMONITOR WINAPI MonitorFromPoint(POINT p, DWORD flags) {
  ScreenInfo screen = display().screen();
  for (size_t i = 0; i < screen.monitors.size(); ++i) {
    const auto& a = screen.monitors[i].area;
    if (p.x >= a.left && p.x < a.right && p.y >= a.top && p.y < a.bottom) return monitorHandle(i);
  }
  return fallback(screen, flags, RECT{p.x, p.y, p.x, p.y});
}

HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags) {
  RECT r;
  if (!GetWindowRect(window, &r)) return fallback(display().screen(), flags, RECT{0, 0, 0, 0});
  return MonitorFromRect(&r, flags);
}

BOOL WINAPI GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
  if (!info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  ScreenInfo screen = display().screen();
  size_t index = reinterpret_cast<uintptr_t>(monitor);
  if (index == 0 || index > screen.monitors.size()) return FALSE;
  const Monitor& m = screen.monitors[index - 1];
  info->rcMonitor = toRect(m.area);
  info->rcWork = toRect(m.workArea);
  info->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

BOOL WINAPI EnumDisplayMonitors(HDC, LPCRECT clip, MONITORENUMPROC callback, LPARAM param) {
  if (!callback) return FALSE;
  ScreenInfo screen = display().screen();
  for (size_t i = 0; i < screen.monitors.size(); ++i) {
    RECT r = toRect(screen.monitors[i].area);
    if (clip) {
      RECT both;
      if (!IntersectRect(&both, &r, clip)) continue;
      r = both;
    }
    if (!callback(monitorHandle(i), nullptr, &r, param)) break;
  }
  return TRUE;
}
