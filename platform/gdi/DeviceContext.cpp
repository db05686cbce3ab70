#include "gdi/DeviceContext.h"

namespace platform::gdi {

Region DeviceContext::effectiveClip() const {
  if (!surface) return Region();
  Region out = visible ? *visible : Region(RECT{-deviceOrigin.x, -deviceOrigin.y, surface->width() - deviceOrigin.x,
                                                surface->height() - deviceOrigin.y});
  if (state.clip) out.intersect(*state.clip);
  out.offset(deviceOrigin.x, deviceOrigin.y);
  out.intersect(RECT{0, 0, surface->width(), surface->height()});
  return out;
}

}  // namespace platform::gdi
