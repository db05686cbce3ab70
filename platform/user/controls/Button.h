// The BUTTON system class: push buttons, default push buttons and check boxes that track the mouse
// and the space key themselves, keep their check state and font, tell their parent about clicks with
// WM_COMMAND (BN_CLICKED, BN_DOUBLECLICKED) and ask it for their background with WM_CTLCOLORBTN.
#pragma once

#include <win/user.h>

namespace platform::user::controls {

class Button {
 public:
  // The class as the window system registers it at start-up.
  static WNDCLASSW windowClass();
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace platform::user::controls
