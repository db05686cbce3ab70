// Moves, sizes, restacks, shows and hides windows with the documented messages:
// WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED (and through it WM_MOVE and WM_SIZE),
// WM_SHOWWINDOW, WM_GETMINMAXINFO, and the minimized and maximized states.
#pragma once

#include <win/user.h>

namespace platform::user {

class WindowPositioner {
 public:
  static BOOL setWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
  static BOOL showWindow(HWND window, int command);
  // The window's tracking limits and maximized placement after the window has had its say.
  static MINMAXINFO minMaxInfo(HWND window);
};

}  // namespace platform::user
