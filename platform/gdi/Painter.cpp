#include "gdi/Painter.h"

#include "gdi/GdiObjects.h"

#include <algorithm>

namespace platform::gdi {

void Painter::fill(DeviceContext& dc, Region area, COLORREF color) {
  if (!dc.surface) return;
  area.intersect(dc.effectiveClip());
  uint32_t pixel = pixelOf(color);
  for (const RECT& r : area.rects())
    for (int y = r.top; y < r.bottom; ++y) std::fill_n(dc.surface->row(y) + r.left, r.right - r.left, pixel);
  dc.dirty.unite(area);
}

void Painter::fillRect(DeviceContext& dc, const RECT& logical, COLORREF color) {
  if (logical.right <= logical.left || logical.bottom <= logical.top) return;
  POINT a = dc.toSurface(logical.left, logical.top), b = dc.toSurface(logical.right, logical.bottom);
  fill(dc, Region(RECT{a.x, a.y, b.x, b.y}), color);
}

bool Painter::brushColor(const DeviceContext& dc, HBRUSH brush, COLORREF* color) {
  const Brush* b = GdiObjects::instance().get<Brush>(brush, GdiKind::brush);
  if (!b || b->hollow) return false;
  *color = b->dcBrush ? dc.state.dcBrushColor : b->color;
  return true;
}

bool Painter::penColor(const DeviceContext& dc, COLORREF* color, int* width) {
  const Pen* p = GdiObjects::instance().get<Pen>(dc.state.pen, GdiKind::pen);
  if (!p || p->style == PS_NULL) return false;
  *color = p->dcPen ? dc.state.dcPenColor : p->color;
  *width = std::max(1, p->width);
  return true;
}

}  // namespace platform::gdi
