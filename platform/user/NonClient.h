// The non-client area: how thick a window's frame is for its styles, the default hit test of the
// frame's zones, and the default painting of the frame.
#pragma once

#include "user/Window.h"

#include <win/user.h>

namespace platform::user {

class NonClient {
 public:
  // Frame thickness on each side (left, top, right, bottom). Decorated top-level windows take the
  // display's decoration extents; borders and client edges add their own pixels.
  static RECT frameInsets(DWORD style, DWORD exStyle, bool child);
  static bool decorated(DWORD style, bool child);
  // The default WM_NCHITTEST answer for a point on the screen.
  static LRESULT hitTest(HWND window, POINT screen);
  // The default WM_NCPAINT: border, caption band and client edge in the window's surface.
  static void paint(HWND window, bool active);
};

}  // namespace platform::user
