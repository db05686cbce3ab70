// The default move and size loops that a press on the caption or a border zone starts: the window
// follows the mouse under capture until the button is released (Escape puts it back), with
// WM_ENTERSIZEMOVE, WM_MOVING or WM_SIZING offered on each step, and WM_EXITSIZEMOVE at the end.
#pragma once

#include <win/user.h>

namespace platform::user {

class MoveSizeLoop {
 public:
  // command is SC_MOVE or SC_SIZE plus a WMSZ_ edge in its low bits; start is the pointer on the screen.
  static void run(HWND window, WPARAM command, POINT start);
};

}  // namespace platform::user
