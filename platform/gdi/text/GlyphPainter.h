// Puts shaped text into a device context's surface: each glyph's coverage blended in the text colour,
// through the DC's clipping and an optional clip rectangle, with the touched pixels marked dirty.
// Callers hold the drawing lock.
#pragma once

#include "gdi/DeviceContext.h"
#include "gdi/text/FontInstance.h"

#include <optional>

namespace platform::gdi::text {

class GlyphPainter {
 public:
  // The area drawing may touch, in surface coordinates: the DC's clipping within `clip` (logical).
  static Region clipFor(DeviceContext& dc, const RECT* clip);
  // Draws `shaped` with its line start at logical x and the baseline at logical y.
  static void paint(DeviceContext& dc, FontInstance& font, const ShapedText& shaped, int x, int baseline,
                    COLORREF color, const Region& clip);
  // A solid line from logical (left, top) to (right, top + thickness), as underlines and strike-outs are.
  static void line(DeviceContext& dc, int left, int right, int top, int thickness, COLORREF color,
                   const Region& clip);
  // Fills a logical rectangle with a colour inside the clip.
  static void fill(DeviceContext& dc, const RECT& logical, COLORREF color, const Region& clip);
};

}  // namespace platform::gdi::text
