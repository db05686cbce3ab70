// The one colour scheme of the window system: a light, neutral scheme with blue captions and
// selection, and one never-deleted brush per colour.
#pragma once

#include <win/user.h>

namespace platform::user {

class SystemColors {
 public:
  static constexpr int count = COLOR_MENUBAR + 1;
  static COLORREF color(int index);
  static HBRUSH brush(int index);
};

}  // namespace platform::user
