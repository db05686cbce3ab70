// Activation of top-level windows, keyboard focus and mouse capture, with their messages:
// WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS/WM_KILLFOCUS, WM_CAPTURECHANGED.
#pragma once

#include <win/user.h>

namespace platform::user {

class Activation {
 public:
  // Makes a top-level window the active (foreground) one; answers the previously active window.
  static HWND activate(HWND window, bool byClick);
  static HWND setFocus(HWND window);
  static HWND setCapture(HWND window);
  static void releaseCapture();
  // Takes activation, focus and capture away from a window and its descendants that are going away.
  static void forget(HWND window, bool hiding);
};

}  // namespace platform::user
