// Screen helpers shared by every backend.
#include "display/Display.h"

#include <algorithm>

namespace platform::display {

Rect ScreenInfo::virtualScreen() const {
  if (monitors.empty()) return Rect{};
  Rect out = monitors.front().area;
  for (const Monitor& m : monitors) {
    out.left = std::min(out.left, m.area.left);
    out.top = std::min(out.top, m.area.top);
    out.right = std::max(out.right, m.area.right);
    out.bottom = std::max(out.bottom, m.area.bottom);
  }
  return out;
}

const Monitor& ScreenInfo::primary() const {
  static const Monitor none{};
  for (const Monitor& m : monitors)
    if (m.primary) return m;
  return monitors.empty() ? none : monitors.front();
}

}  // namespace platform::display
