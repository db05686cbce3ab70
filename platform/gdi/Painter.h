// Pixel work shared by the drawing calls: solid fills through the DC's clipping, with the touched
// pixels recorded as the DC's dirty region. Callers hold the GDI lock.
#pragma once

#include "gdi/DeviceContext.h"

namespace platform::gdi {

class Painter {
 public:
  // 0x00RRGGBB as stored in a 32-bit surface.
  static uint32_t pixelOf(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
           GetBValue(color);
  }
  static COLORREF colorOf(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

  // Fills a region given in surface coordinates, clipped to the DC.
  static void fill(DeviceContext& dc, Region area, COLORREF color);
  // Fills a logical rectangle, clipped to the DC.
  static void fillRect(DeviceContext& dc, const RECT& logical, COLORREF color);
  // The brush colour, or nothing for a hollow or unknown brush.
  static bool brushColor(const DeviceContext& dc, HBRUSH brush, COLORREF* color);
  static bool penColor(const DeviceContext& dc, COLORREF* color, int* width);
};

}  // namespace platform::gdi
