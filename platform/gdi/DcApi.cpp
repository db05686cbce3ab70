// Device contexts and object selection: memory DCs, stock objects, saved states, modes and colours.
#include <win/gdi.h>

#include "display/DisplaySelection.h"
#include "gdi/Bitmap.h"
#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/RegionObject.h"
#include "gdi/text/FontObject.h"

#include <cstring>

using platform::gdi::Bitmap;
using platform::gdi::DeviceContext;
using platform::gdi::GdiKind;
using platform::gdi::GdiObject;
using platform::gdi::GdiObjects;

namespace {

GdiObjects& objects() { return GdiObjects::instance(); }

}  // namespace

HDC WINAPI CreateCompatibleDC(HDC) {
  std::lock_guard lock(objects().mutex());
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = true;
  Bitmap* bitmap = objects().get<Bitmap>(objects().defaultBitmap(), GdiKind::bitmap);
  dc->surface = bitmap->surface;
  dc->state.bitmap = objects().defaultBitmap();
  return objects().addDc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC handle) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  if (Bitmap* bitmap = objects().get<Bitmap>(dc->state.bitmap, GdiKind::bitmap))
    if (bitmap->selectedInto == handle) bitmap->selectedInto = nullptr;
  objects().remove(reinterpret_cast<HGDIOBJ>(handle));
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  GdiObject* o = objects().find(object);
  if (!dc || !o) return nullptr;
  HGDIOBJ previous = nullptr;
  switch (o->kind) {
    case GdiKind::brush:
      previous = dc->state.brush;
      dc->state.brush = object;
      return previous;
    case GdiKind::pen:
      previous = dc->state.pen;
      dc->state.pen = object;
      return previous;
    case GdiKind::font:
      previous = dc->state.font;
      dc->state.font = object;
      return previous;
    case GdiKind::bitmap: {
      Bitmap* bitmap = static_cast<Bitmap*>(o);
      if (!dc->memory || (bitmap->selectedInto && bitmap->selectedInto != handle)) return nullptr;
      if (Bitmap* old = objects().get<Bitmap>(dc->state.bitmap, GdiKind::bitmap))
        if (old->selectedInto == handle) old->selectedInto = nullptr;
      previous = dc->state.bitmap;
      dc->state.bitmap = object;
      if (!bitmap->stock) bitmap->selectedInto = handle;
      dc->surface = bitmap->surface;
      dc->state.clip.reset();
      return previous;
    }
    case GdiKind::region: {
      // Selecting a region sets the clipping and answers the region kind, as SelectClipRgn does.
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(handle, object)));
    }
    case GdiKind::dc:
      return nullptr;
  }
  return nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BRUSH:
      return dc->state.brush;
    case OBJ_PEN:
      return dc->state.pen;
    case OBJ_FONT:
      return dc->state.font;
    case OBJ_BITMAP:
      return dc->state.bitmap;
    default:
      return nullptr;
  }
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  std::lock_guard lock(objects().mutex());
  GdiObject* o = objects().find(object);
  if (!o || o->kind == GdiKind::dc) return FALSE;
  if (o->stock) return TRUE;
  // A bitmap still selected into a DC stays alive: the DC keeps its surface, the handle is gone.
  objects().remove(object);
  return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int index) { return objects().stock(index); }

DWORD WINAPI GetObjectType(HGDIOBJ object) {
  std::lock_guard lock(objects().mutex());
  GdiObject* o = objects().find(object);
  if (!o) return 0;
  switch (o->kind) {
    case GdiKind::brush:
      return OBJ_BRUSH;
    case GdiKind::pen:
      return OBJ_PEN;
    case GdiKind::bitmap:
      return OBJ_BITMAP;
    case GdiKind::region:
      return OBJ_REGION;
    case GdiKind::font:
      return OBJ_FONT;
    case GdiKind::dc:
      return static_cast<DeviceContext*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
  }
  return 0;
}

int WINAPI GetObjectW(HGDIOBJ object, int size, LPVOID out) {
  std::lock_guard lock(objects().mutex());
  GdiObject* o = objects().find(object);
  if (!o) return 0;
  if (o->kind == GdiKind::bitmap) {
    Bitmap* b = static_cast<Bitmap*>(o);
    DIBSECTION ds{};
    ds.dsBm.bmWidth = b->surface->width();
    ds.dsBm.bmHeight = b->surface->height();
    ds.dsBm.bmWidthBytes = b->surface->width() * 4;
    ds.dsBm.bmPlanes = 1;
    ds.dsBm.bmBitsPixel = 32;
    ds.dsBm.bmBits = b->dibSection ? b->surface->memory() : nullptr;
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = b->surface->width();
    ds.dsBmih.biHeight = b->surface->bottomUp() ? b->surface->height() : -b->surface->height();
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = 32;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(b->surface->width() * b->surface->height() * 4);
    if (!out) return b->dibSection ? sizeof(DIBSECTION) : sizeof(BITMAP);
    int n = (b->dibSection && size >= static_cast<int>(sizeof(DIBSECTION))) ? static_cast<int>(sizeof(DIBSECTION))
                                                                              : static_cast<int>(sizeof(BITMAP));
    if (size < n) return 0;
    std::memcpy(out, &ds, static_cast<size_t>(n));
    return n;
  }
  if (o->kind == GdiKind::font) return platform::gdi::text::fontObject(o, size, out);
  if (o->kind == GdiKind::brush) {
    auto* b = static_cast<platform::gdi::Brush*>(o);
    LOGBRUSH lb{static_cast<UINT>(b->hollow ? BS_NULL : BS_SOLID), b->color, 0};
    if (!out) return sizeof(LOGBRUSH);
    if (size < static_cast<int>(sizeof(LOGBRUSH))) return 0;
    std::memcpy(out, &lb, sizeof(lb));
    return sizeof(LOGBRUSH);
  }
  return 0;
}

int WINAPI SaveDC(HDC handle) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC handle, int saved) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  int count = static_cast<int>(dc->saved.size());
  int target = saved < 0 ? count + saved + 1 : saved;
  if (target < 1 || target > count) return FALSE;
  DeviceContext::State state = dc->saved[static_cast<size_t>(target - 1)];
  dc->saved.resize(static_cast<size_t>(target - 1));
  if (state.bitmap != dc->state.bitmap) {
    if (Bitmap* b = objects().get<Bitmap>(state.bitmap, GdiKind::bitmap)) {
      if (Bitmap* old = objects().get<Bitmap>(dc->state.bitmap, GdiKind::bitmap))
        if (old->selectedInto == handle) old->selectedInto = nullptr;
      if (!b->stock) b->selectedInto = handle;
      dc->surface = b->surface;
    }
  }
  dc->state = state;
  return TRUE;
}

#define DC_FIELD_SETTER(Name, Type, field)                 \
  Type WINAPI Set##Name(HDC handle, Type value) {          \
    std::lock_guard lock(objects().mutex());               \
    DeviceContext* dc = objects().dc(handle);              \
    if (!dc) return 0;                                     \
    Type previous = dc->state.field;                       \
    dc->state.field = value;                               \
    return previous;                                       \
  }                                                        \
  Type WINAPI Get##Name(HDC handle) {                      \
    std::lock_guard lock(objects().mutex());               \
    DeviceContext* dc = objects().dc(handle);              \
    return dc ? dc->state.field : 0;                       \
  }

DC_FIELD_SETTER(BkColor, COLORREF, bkColor)
DC_FIELD_SETTER(TextColor, COLORREF, textColor)

int WINAPI SetBkMode(HDC handle, int mode) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->state.bkMode;
  dc->state.bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC handle) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  return dc ? dc->state.bkMode : 0;
}

COLORREF WINAPI SetDCBrushColor(HDC handle, COLORREF color) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->state.dcBrushColor;
  dc->state.dcBrushColor = color;
  return previous;
}

COLORREF WINAPI SetDCPenColor(HDC handle, COLORREF color) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->state.dcPenColor;
  dc->state.dcPenColor = color;
  return previous;
}

int WINAPI GetDeviceCaps(HDC handle, int index) {
  {
    std::lock_guard lock(objects().mutex());
    if (!objects().dc(handle)) return 0;
  }
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case HORZRES:
      return platform::display::DisplaySelection::current().screen().primary().area.width();
    case VERTRES:
      return platform::display::DisplaySelection::current().screen().primary().area.height();
    default:
      return 0;
  }
}

BOOL WINAPI SetViewportOrgEx(HDC handle, int x, int y, LPPOINT previous) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.viewportOrigin;
  dc->state.viewportOrigin = POINT{x, y};
  return TRUE;
}

BOOL WINAPI GetViewportOrgEx(HDC handle, LPPOINT origin) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !origin) return FALSE;
  *origin = dc->state.viewportOrigin;
  return TRUE;
}

BOOL WINAPI OffsetViewportOrgEx(HDC handle, int dx, int dy, LPPOINT previous) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.viewportOrigin;
  dc->state.viewportOrigin.x += dx;
  dc->state.viewportOrigin.y += dy;
  return TRUE;
}
