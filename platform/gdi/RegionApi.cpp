// Region objects and the clipping of device contexts.
#include <win/gdi.h>

#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/RegionObject.h"

using platform::gdi::DeviceContext;
using platform::gdi::GdiKind;
using platform::gdi::GdiObjects;
using platform::gdi::Region;
using platform::gdi::RegionObject;

namespace {

GdiObjects& objects() { return GdiObjects::instance(); }

RegionObject* regionOf(HRGN handle) { return objects().get<RegionObject>(handle, GdiKind::region); }

HRGN addRegion(Region region) {
  auto object = std::make_unique<RegionObject>();
  object->region = std::move(region);
  return objects().add(std::move(object));
}

// The DC's clip in device coordinates, taking "no clip" as everything the DC can reach.
Region currentClip(const DeviceContext& dc) {
  if (dc.state.clip) return *dc.state.clip;
  if (dc.visible) return *dc.visible;
  if (!dc.surface) return Region();
  return Region(RECT{-dc.deviceOrigin.x, -dc.deviceOrigin.y, dc.surface->width() - dc.deviceOrigin.x,
                     dc.surface->height() - dc.deviceOrigin.y});
}

int clipKind(const DeviceContext& dc) {
  Region clip = currentClip(dc);
  if (dc.visible) clip.intersect(*dc.visible);
  return clip.kind();
}

RECT deviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
  return RECT{left + dc.state.viewportOrigin.x, top + dc.state.viewportOrigin.y, right + dc.state.viewportOrigin.x,
              bottom + dc.state.viewportOrigin.y};
}

}  // namespace

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  return addRegion(Region(RECT{left, top, right, bottom}));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN WINAPI CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  return addRegion(Region::roundRect(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

int WINAPI CombineRgn(HRGN dest, HRGN first, HRGN second, int mode) {
  std::lock_guard lock(objects().mutex());
  RegionObject* d = regionOf(dest);
  RegionObject* a = regionOf(first);
  RegionObject* b = mode == RGN_COPY ? a : regionOf(second);
  if (!d || !a || !b) return ERROR;
  Region result = a->region;
  switch (mode) {
    case RGN_AND:
      result.intersect(b->region);
      break;
    case RGN_OR:
      result.unite(b->region);
      break;
    case RGN_XOR:
      result.exclusiveOr(b->region);
      break;
    case RGN_DIFF:
      result.subtract(b->region);
      break;
    case RGN_COPY:
      break;
    default:
      return ERROR;
  }
  d->region = result;
  return d->region.kind();
}

BOOL WINAPI SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
  std::lock_guard lock(objects().mutex());
  RegionObject* r = regionOf(handle);
  if (!r) return FALSE;
  r->region.setRect(RECT{left, top, right, bottom});
  return TRUE;
}

int WINAPI OffsetRgn(HRGN handle, int dx, int dy) {
  std::lock_guard lock(objects().mutex());
  RegionObject* r = regionOf(handle);
  if (!r) return ERROR;
  r->region.offset(dx, dy);
  return r->region.kind();
}

int WINAPI GetRgnBox(HRGN handle, LPRECT box) {
  std::lock_guard lock(objects().mutex());
  RegionObject* r = regionOf(handle);
  if (!r || !box) return ERROR;
  *box = r->region.bounds();
  return r->region.kind();
}

BOOL WINAPI PtInRegion(HRGN handle, int x, int y) {
  std::lock_guard lock(objects().mutex());
  RegionObject* r = regionOf(handle);
  return r && r->region.contains(x, y);
}

BOOL WINAPI EqualRgn(HRGN first, HRGN second) {
  std::lock_guard lock(objects().mutex());
  RegionObject* a = regionOf(first);
  RegionObject* b = regionOf(second);
  return a && b && a->region == b->region;
}

int WINAPI SelectClipRgn(HDC handle, HRGN regionHandle) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return ERROR;
  if (!regionHandle) {
    dc->state.clip.reset();
    return clipKind(*dc);
  }
  RegionObject* r = regionOf(regionHandle);
  if (!r) return ERROR;
  dc->state.clip = r->region;  // a copy: the caller keeps and may delete its region
  return clipKind(*dc);
}

int WINAPI ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return ERROR;
  Region clip = currentClip(*dc);
  clip.subtract(deviceRect(*dc, left, top, right, bottom));
  dc->state.clip = clip;
  return clipKind(*dc);
}

int WINAPI IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return ERROR;
  Region clip = currentClip(*dc);
  clip.intersect(deviceRect(*dc, left, top, right, bottom));
  dc->state.clip = clip;
  return clipKind(*dc);
}

int WINAPI GetClipBox(HDC handle, LPRECT box) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !box) return ERROR;
  Region clip = dc->effectiveClip();
  clip.offset(-dc->deviceOrigin.x - dc->state.viewportOrigin.x, -dc->deviceOrigin.y - dc->state.viewportOrigin.y);
  *box = clip.bounds();
  return clip.kind();
}

int WINAPI GetClipRgn(HDC handle, HRGN regionHandle) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  RegionObject* r = regionOf(regionHandle);
  if (!dc || !r) return -1;
  if (!dc->state.clip) return 0;
  r->region = *dc->state.clip;
  return 1;
}
