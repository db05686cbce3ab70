// The progress bar system class ("msctls_progress32"): a range, a position inside it and a step, shown
// as a flat track filled from the left (from the bottom with PBS_VERTICAL) in proportion to the position.
#pragma once

#include <win/user.h>

namespace platform::user::controls {

class ProgressBar {
 public:
  static WNDCLASSW windowClass();
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // How many of `length` pixels the position fills; nothing for an empty or reversed range.
  static int filledLength(int low, int high, int position, int length);
};

}  // namespace platform::user::controls
