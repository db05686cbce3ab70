// Brushes, pens and the shape calls: FillRect, FrameRect, Rectangle, SetPixel, MoveToEx/LineTo.
#include <win/gdi.h>

#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/Painter.h"
#include "gdi/RegionObject.h"

#include <algorithm>
#include <cstdlib>

using platform::gdi::Brush;
using platform::gdi::DeviceContext;
using platform::gdi::GdiKind;
using platform::gdi::GdiObjects;
using platform::gdi::Painter;
using platform::gdi::Pen;
using platform::gdi::Region;
using platform::gdi::RegionObject;

namespace {

GdiObjects& objects() { return GdiObjects::instance(); }

RECT ordered(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

// A one-pixel frame just inside the rectangle, as FrameRect and a thin pen's Rectangle draw it.
Region frameOf(const RECT& r, int thickness) {
  Region frame(r);
  RECT inner{r.left + thickness, r.top + thickness, r.right - thickness, r.bottom - thickness};
  if (inner.left < inner.right && inner.top < inner.bottom) frame.subtract(Region(inner));
  return frame;
}

// Bresenham from (x0, y0) towards (x1, y1), the last point left out as GDI lines leave it out.
void drawLine(DeviceContext& dc, int x0, int y0, int x1, int y1, COLORREF color, int width) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  Region points;
  int half = (width - 1) / 2;
  while (x0 != x1 || y0 != y1) {
    POINT p = dc.toSurface(x0, y0);
    points.unite(RECT{p.x - half, p.y - half, p.x - half + width, p.y - half + width});
    int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y0 += sy;
    }
  }
  Painter::fill(dc, points, color);
}

}  // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<Brush>();
  brush->color = color & 0x00FFFFFF;
  return objects().add(std::move(brush));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* logical) {
  if (!logical) return nullptr;
  if (logical->lbStyle == BS_NULL) return objects().stock(NULL_BRUSH);
  if (logical->lbStyle != BS_SOLID) return nullptr;
  return CreateSolidBrush(logical->lbColor);
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_NULL) style = PS_SOLID;  // dashes are drawn solid
  auto pen = std::make_unique<Pen>();
  pen->style = style;
  pen->width = std::max(1, width);
  pen->color = color & 0x00FFFFFF;
  return objects().add(std::move(pen));
}

int WINAPI FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !rect) return 0;
  COLORREF color;
  if (!Painter::brushColor(*dc, brush, &color)) return 1;
  Painter::fillRect(*dc, *rect, color);
  return 1;
}

int WINAPI FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !rect) return 0;
  COLORREF color;
  if (!Painter::brushColor(*dc, brush, &color)) return 1;
  RECT r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return 1;
  POINT a = dc->toSurface(r.left, r.top), b = dc->toSurface(r.right, r.bottom);
  Painter::fill(*dc, frameOf(RECT{a.x, a.y, b.x, b.y}, 1), color);
  return 1;
}

BOOL WINAPI Rectangle(HDC handle, int left, int top, int right, int bottom) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  RECT r = ordered(RECT{left, top, right, bottom});
  POINT a = dc->toSurface(r.left, r.top), b = dc->toSurface(r.right, r.bottom);
  RECT s{a.x, a.y, b.x, b.y};
  COLORREF penColor, brushColor;
  int penWidth = 1;
  bool pen = Painter::penColor(*dc, &penColor, &penWidth);
  bool brush = Painter::brushColor(*dc, dc->state.brush, &brushColor);
  if (!pen) {
    // Without a pen the filled area is one pixel smaller on the right and bottom.
    if (brush) Painter::fill(*dc, Region(RECT{s.left, s.top, s.right - 1, s.bottom - 1}), brushColor);
    return TRUE;
  }
  if (brush) Painter::fill(*dc, Region(RECT{s.left + penWidth, s.top + penWidth, s.right - penWidth, s.bottom - penWidth}), brushColor);
  Painter::fill(*dc, frameOf(s, penWidth), penColor);
  return TRUE;
}

COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !dc->surface) return CLR_INVALID;
  POINT p = dc->toSurface(x, y);
  if (!dc->effectiveClip().contains(p.x, p.y)) return CLR_INVALID;
  Painter::fill(*dc, Region(RECT{p.x, p.y, p.x + 1, p.y + 1}), color);
  return color & 0x00FFFFFF;
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !dc->surface) return CLR_INVALID;
  POINT p = dc->toSurface(x, y);
  if (!dc->effectiveClip().contains(p.x, p.y)) return CLR_INVALID;
  return Painter::colorOf(dc->surface->row(p.y)[p.x]);
}

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC handle, int x, int y) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  COLORREF color;
  int width = 1;
  if (Painter::penColor(*dc, &color, &width)) drawLine(*dc, dc->state.position.x, dc->state.position.y, x, y, color, width);
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL WINAPI FillRgn(HDC handle, HRGN regionHandle, HBRUSH brush) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  RegionObject* region = objects().get<RegionObject>(regionHandle, GdiKind::region);
  if (!dc || !region) return FALSE;
  COLORREF color;
  if (!Painter::brushColor(*dc, brush, &color)) return TRUE;
  Region area = region->region;
  POINT origin = dc->toSurface(0, 0);
  area.offset(origin.x, origin.y);
  Painter::fill(*dc, area, color);
  return TRUE;
}
