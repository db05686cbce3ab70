// The gallery's window: push buttons in each state (normal, default, pressed, disabled, focused),
// check boxes, a progress bar, and the languages' own names at 8, 9, 10 and 11 points, plain and bold,
// cut with an ellipsis where a column is too narrow, with a word-wrapped paragraph below.
#pragma once

#include <win/windows.h>
#include <win/controls.h>

namespace gallery {

class GalleryWindow {
 public:
  // Creates and shows the window; null when it cannot be created.
  static HWND create();
};

}  // namespace gallery
