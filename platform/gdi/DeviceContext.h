// A device context: where drawing lands (a window's surface or a memory DC's bitmap), the selected
// objects, colours and modes, and the clipping that keeps drawing inside the visible part.
// Coordinates: logical + viewport origin = device; device + deviceOrigin = surface pixel.
#pragma once

#include "gdi/GdiObject.h"
#include "gdi/Region.h"
#include "gdi/Surface.h"

#include <win/user.h>

#include <memory>
#include <optional>
#include <vector>

namespace platform::gdi {

struct DeviceContext : GdiObject {
  DeviceContext() : GdiObject(GdiKind::dc) {}

  // The part of the state that SaveDC keeps.
  struct State {
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    POINT viewportOrigin{0, 0};
    POINT position{0, 0};
    std::optional<Region> clip;  // device coordinates
  };

  bool memory = true;
  std::shared_ptr<Surface> surface;
  POINT deviceOrigin{0, 0};
  // For window DCs: the visible part of the window in device coordinates.
  std::optional<Region> visible;
  State state;
  std::vector<State> saved;
  HWND window = nullptr;
  // Surface pixels changed since the window system last presented them.
  Region dirty;

  // The pixels drawing may touch, in surface coordinates.
  Region effectiveClip() const;
  POINT toSurface(int x, int y) const {
    return POINT{x + state.viewportOrigin.x + deviceOrigin.x, y + state.viewportOrigin.y + deviceOrigin.y};
  }
};

}  // namespace platform::gdi
