// The font of the system's own controls, menus and message boxes: the desktop's sans-serif face at
// 9 points (12 pixels at 96 dots per inch). Buttons use it until they are given a font of their own.
#pragma once

#include <win/gdi.h>

namespace platform::user::controls {

class SystemFont {
 public:
  // Created on first use and kept for the life of the process.
  static HFONT normal();
  static HFONT bold();
};

}  // namespace platform::user::controls
