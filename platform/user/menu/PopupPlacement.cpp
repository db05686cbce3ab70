#include "user/menu/PopupPlacement.h"

#include <algorithm>

namespace platform::user::menu {

namespace {

// Keeps [start, start + length) inside [low, high); a span longer than the range starts at low.
int keepInside(int start, int length, int low, int high) {
  if (start + length > high) start = high - length;
  return std::max(start, low);
}

}  // namespace

RECT PopupPlacement::forMenu(POINT at, SIZE size, UINT flags, const RECT& work) {
  int x = at.x, y = at.y;
  if (flags & TPM_RIGHTALIGN)
    x -= size.cx;
  else if (flags & TPM_CENTERALIGN)
    x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN)
    y -= size.cy;
  else if (flags & TPM_VCENTERALIGN)
    y -= size.cy / 2;
  // A menu that runs off an edge opens to the other side of the point when that side has room.
  if (x + size.cx > work.right && !(flags & (TPM_RIGHTALIGN | TPM_CENTERALIGN)) && at.x - size.cx >= work.left)
    x = at.x - size.cx;
  if (x < work.left && (flags & TPM_RIGHTALIGN) && at.x + size.cx <= work.right) x = at.x;
  if (y + size.cy > work.bottom && !(flags & (TPM_BOTTOMALIGN | TPM_VCENTERALIGN)) && at.y - size.cy >= work.top)
    y = at.y - size.cy;
  if (y < work.top && (flags & TPM_BOTTOMALIGN) && at.y + size.cy <= work.bottom) y = at.y;
  x = keepInside(x, size.cx, work.left, work.right);
  y = keepInside(y, size.cy, work.top, work.bottom);
  return RECT{x, y, x + size.cx, y + size.cy};
}

RECT PopupPlacement::forSubmenu(const RECT& parent, int itemTop, SIZE size, const RECT& work) {
  constexpr int overlap = 2;
  int x = parent.right - overlap;
  if (x + size.cx > work.right && parent.left + overlap - size.cx >= work.left) x = parent.left + overlap - size.cx;
  x = keepInside(x, size.cx, work.left, work.right);
  int y = keepInside(itemTop - 3, size.cy, work.top, work.bottom);
  return RECT{x, y, x + size.cx, y + size.cy};
}

RECT PopupPlacement::workAreaAt(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace platform::user::menu
