// Bitmaps and block transfers: DIB sections, compatible bitmaps, BitBlt and StretchBlt on pixman.
#include <win/gdi.h>

#include "gdi/Bitmap.h"
#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/Painter.h"

#include <algorithm>

using platform::gdi::Bitmap;
using platform::gdi::DeviceContext;
using platform::gdi::GdiKind;
using platform::gdi::GdiObjects;
using platform::gdi::Painter;
using platform::gdi::Region;
using platform::gdi::Surface;

namespace {

GdiObjects& objects() { return GdiObjects::instance(); }

HBITMAP addBitmap(std::shared_ptr<Surface> surface, bool dib) {
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = std::move(surface);
  bitmap->dibSection = dib;
  return objects().add(std::move(bitmap));
}

// Copies pixels with pixman under the destination's clipping; a source that is also the destination
// is copied through a temporary so overlapping moves come out right.
void composite(DeviceContext& dest, const Region& clip, pixman_image_t* source, int sourceX, int sourceY, int x, int y,
               int width, int height) {
  Region area(RECT{x, y, x + width, y + height});
  area.intersect(clip);
  if (area.empty()) return;
  pixman_image_t* target = dest.surface->image();
  pixman_image_set_clip_region32(target, area.raw());
  pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, target, sourceX, sourceY, 0, 0, x, y, width, height);
  pixman_image_set_clip_region32(target, nullptr);
  dest.dirty.unite(area);
}

}  // namespace

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0) return nullptr;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  auto surface = Surface::create(h.biWidth, height, h.biHeight > 0);
  if (!surface) return nullptr;
  void* memory = surface->memory();
  HBITMAP bitmap = addBitmap(std::move(surface), true);
  if (bitmap && bits) *bits = memory;
  return bitmap;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC, int width, int height) {
  auto surface = Surface::create(width, height);
  return surface ? addBitmap(std::move(surface), false) : nullptr;
}

BOOL WINAPI BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                   DWORD rop) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dest = objects().dc(destHandle);
  if (!dest || !dest->surface) return FALSE;
  if (width < 0) {
    x += width;
    sourceX += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    sourceY += height;
    height = -height;
  }
  if (rop == BLACKNESS || rop == WHITENESS || rop == PATCOPY) {
    COLORREF color = rop == BLACKNESS ? RGB(0, 0, 0) : RGB(255, 255, 255);
    if (rop == PATCOPY && !Painter::brushColor(*dest, dest->state.brush, &color)) return TRUE;
    Painter::fillRect(*dest, RECT{x, y, x + width, y + height}, color);
    return TRUE;
  }
  if (rop != SRCCOPY) return FALSE;
  DeviceContext* source = objects().dc(sourceHandle);
  if (!source || !source->surface) return FALSE;
  POINT d = dest->toSurface(x, y);
  POINT s = source->toSurface(sourceX, sourceY);
  // Keep to the part of the source that exists.
  int left = std::max(0, -s.x), top = std::max(0, -s.y);
  int right = std::min(width, source->surface->width() - s.x), bottom = std::min(height, source->surface->height() - s.y);
  if (right <= left || bottom <= top) return TRUE;
  d.x += left;
  d.y += top;
  s.x += left;
  s.y += top;
  width = right - left;
  height = bottom - top;
  Region clip = dest->effectiveClip();
  if (source->surface == dest->surface) {
    auto copy = Surface::create(width, height);
    if (!copy) return FALSE;
    pixman_image_composite32(PIXMAN_OP_SRC, source->surface->image(), nullptr, copy->image(), s.x, s.y, 0, 0, 0, 0,
                             width, height);
    composite(*dest, clip, copy->image(), 0, 0, d.x, d.y, width, height);
  } else {
    composite(*dest, clip, source->surface->image(), s.x, s.y, d.x, d.y, width, height);
  }
  return TRUE;
}

BOOL WINAPI StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop) {
  if (width == sourceWidth && height == sourceHeight)
    return BitBlt(destHandle, x, y, width, height, sourceHandle, sourceX, sourceY, rop);
  if (rop != SRCCOPY || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return FALSE;
  std::lock_guard lock(objects().mutex());
  DeviceContext* dest = objects().dc(destHandle);
  DeviceContext* source = objects().dc(sourceHandle);
  if (!dest || !source || !dest->surface || !source->surface) return FALSE;
  POINT d = dest->toSurface(x, y);
  POINT s = source->toSurface(sourceX, sourceY);
  // Sample the source through a copy so the shared image's transform never leaks to other drawing.
  auto part = Surface::create(sourceWidth, sourceHeight);
  if (!part) return FALSE;
  pixman_image_composite32(PIXMAN_OP_SRC, source->surface->image(), nullptr, part->image(), s.x, s.y, 0, 0, 0, 0,
                           sourceWidth, sourceHeight);
  pixman_transform_t transform;
  pixman_transform_init_identity(&transform);
  transform.matrix[0][0] = pixman_double_to_fixed(static_cast<double>(sourceWidth) / width);
  transform.matrix[1][1] = pixman_double_to_fixed(static_cast<double>(sourceHeight) / height);
  pixman_image_set_transform(part->image(), &transform);
  pixman_image_set_filter(part->image(), PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_set_repeat(part->image(), PIXMAN_REPEAT_PAD);
  composite(*dest, dest->effectiveClip(), part->image(), 0, 0, d.x, d.y, width, height);
  return TRUE;
}

BOOL WINAPI GdiFlush() { return TRUE; }
