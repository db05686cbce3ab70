#include "gdi/text/GlyphPainter.h"

#include "gdi/Painter.h"

#include <algorithm>

namespace platform::gdi::text {

namespace {

inline uint32_t blend(uint32_t under, uint32_t over, unsigned alpha) {
  if (alpha == 255) return over;
  unsigned inverse = 255 - alpha;
  uint32_t r = (((over >> 16) & 0xFF) * alpha + ((under >> 16) & 0xFF) * inverse + 127) / 255;
  uint32_t g = (((over >> 8) & 0xFF) * alpha + ((under >> 8) & 0xFF) * inverse + 127) / 255;
  uint32_t b = ((over & 0xFF) * alpha + (under & 0xFF) * inverse + 127) / 255;
  return (under & 0xFF000000u) | (r << 16) | (g << 8) | b;
}

void blendImage(Surface& surface, const GlyphImage& image, int left, int top, const RECT& box, uint32_t pixel) {
  int x0 = std::max<int>(left, box.left), x1 = std::min<int>(left + image.width, box.right);
  int y0 = std::max<int>(top, box.top), y1 = std::min<int>(top + image.height, box.bottom);
  for (int y = y0; y < y1; ++y) {
    uint32_t* row = surface.row(y);
    const uint8_t* coverage = image.coverage.data() + static_cast<size_t>(y - top) * image.width - left;
    for (int x = x0; x < x1; ++x)
      if (unsigned a = coverage[x]) row[x] = blend(row[x], pixel, a);
  }
}

}  // namespace

Region GlyphPainter::clipFor(DeviceContext& dc, const RECT* clip) {
  Region area = dc.effectiveClip();
  if (clip) {
    POINT a = dc.toSurface(clip->left, clip->top), b = dc.toSurface(clip->right, clip->bottom);
    area.intersect(RECT{a.x, a.y, b.x, b.y});
  }
  return area;
}

void GlyphPainter::paint(DeviceContext& dc, FontInstance& font, const ShapedText& shaped, int x, int baseline,
                         COLORREF color, const Region& clip) {
  if (!dc.surface || shaped.glyphs.empty() || clip.empty()) return;
  POINT origin = dc.toSurface(x, baseline);
  uint32_t pixel = Painter::pixelOf(color);
  std::vector<RECT> boxes = clip.rects();
  RECT bounds = clip.bounds();
  RECT touched{0, 0, 0, 0};
  for (const PlacedGlyph& g : shaped.glyphs) {
    SizedFace* face = font.face(g.face);
    if (!face) continue;
    const GlyphImage& image = face->glyph(g.index);
    if (image.width == 0 || image.height == 0) continue;
    int left = origin.x + g.x + image.left, top = origin.y + g.y - image.top;
    RECT glyphBox{left, top, left + image.width, top + image.height};
    if (glyphBox.right <= bounds.left || glyphBox.left >= bounds.right || glyphBox.bottom <= bounds.top ||
        glyphBox.top >= bounds.bottom)
      continue;
    for (const RECT& box : boxes) blendImage(*dc.surface, image, left, top, box, pixel);
    UnionRect(&touched, &touched, &glyphBox);
  }
  Region dirty(touched);
  dirty.intersect(clip);
  dc.dirty.unite(dirty);
}

void GlyphPainter::line(DeviceContext& dc, int left, int right, int top, int thickness, COLORREF color,
                        const Region& clip) {
  fill(dc, RECT{left, top, right, top + std::max(1, thickness)}, color, clip);
}

void GlyphPainter::fill(DeviceContext& dc, const RECT& logical, COLORREF color, const Region& clip) {
  if (logical.right <= logical.left || logical.bottom <= logical.top) return;
  POINT a = dc.toSurface(logical.left, logical.top), b = dc.toSurface(logical.right, logical.bottom);
  Region area(RECT{a.x, a.y, b.x, b.y});
  area.intersect(clip);
  Painter::fill(dc, area, color);
}

}  // namespace platform::gdi::text
