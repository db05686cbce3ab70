// Invalidation and painting: update regions merge until the thread's queue is otherwise empty and
// one WM_PAINT is made; BeginPaint clips to the update region, and every window DC draws into its
// top-level window's surface through the visible part of the window, then presents what changed.
#include <win/user.h>

#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/RegionObject.h"
#include "user/WindowManager.h"

using platform::gdi::DeviceContext;
using platform::gdi::GdiKind;
using platform::gdi::GdiObjects;
using platform::gdi::Region;
using platform::user::Window;
using platform::user::WindowManager;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

Region clientArea(const Window* w) {
  return Region(RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top});
}

bool regionOf(HRGN handle, Region* out) {
  auto& objects = GdiObjects::instance();
  std::lock_guard lock(objects.mutex());
  auto* r = objects.get<platform::gdi::RegionObject>(handle, GdiKind::region);
  if (!r) return false;
  *out = r->region;
  return true;
}

// A DC on the window's top-level surface; `clip` is in surface coordinates.
HDC windowDc(HWND window, Window* w, bool client, const Region* update) {
  Window* root = manager().rootOf(w);
  if (!root) return nullptr;
  manager().ensureSurface(root);
  POINT origin = client ? manager().clientOriginInSurface(w) : manager().windowOriginInSurface(w);
  Region visible = manager().visibleArea(w, client);
  if (update) {
    Region part = *update;
    part.offset(origin.x, origin.y);
    visible.intersect(part);
  }
  visible.offset(-origin.x, -origin.y);
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = false;
  dc->surface = root->surface;
  dc->deviceOrigin = origin;
  dc->visible = visible;
  dc->window = window;
  return GdiObjects::instance().addDc(std::move(dc));
}

std::vector<HWND> allTopLevels() {
  auto guard = manager().lock();
  return manager().topLevels();
}

void sendFrameIfDue(HWND window) {
  bool due = false;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (w && w->framePending) {
      w->framePending = false;
      manager().refreshPaintCount(w);
      due = true;
    }
  }
  if (due) manager().send(window, WM_NCPAINT, 1, 0);
}

}  // namespace

BOOL WINAPI RedrawWindow(HWND window, const RECT* rect, HRGN regionHandle, UINT flags) {
  if (!window) {
    for (HWND h : allTopLevels()) RedrawWindow(h, rect, regionHandle, flags | RDW_ALLCHILDREN);
    return TRUE;
  }
  Region area;
  if (regionHandle && !regionOf(regionHandle, &area)) return FALSE;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    if (!regionHandle) area = rect ? Region(*rect) : clientArea(w);
    if (flags & RDW_INVALIDATE) {
      manager().invalidate(w, area, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0, (flags & RDW_ALLCHILDREN) != 0,
                           (flags & RDW_NOCHILDREN) != 0);
    }
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    if (flags & RDW_VALIDATE) {
      manager().validate(w, (rect || regionHandle) ? &area : nullptr);
      if (flags & RDW_NOFRAME) w->framePending = false;
    }
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    manager().refreshPaintCount(w);
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    UpdateWindow(window);
    if (flags & RDW_ALLCHILDREN) {
      std::vector<HWND> children;
      {
        auto guard = manager().lock();
        if (Window* w = manager().find(window)) children = w->children;
      }
      for (HWND c : children) RedrawWindow(c, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
  }
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI InvalidateRgn(HWND window, HRGN region, BOOL erase) {
  return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND window, const RECT* rect) {
  return RedrawWindow(window, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI ValidateRgn(HWND window, HRGN region) {
  return RedrawWindow(window, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI UpdateWindow(HWND window) {
  sendFrameIfDue(window);
  bool due;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    due = (!w->update.empty() || w->internalPaint) && manager().reallyVisible(w);
  }
  if (due) manager().send(window, WM_PAINT);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return FALSE;
  if (rect) *rect = w->update.bounds();
  return !w->update.empty();
}

int WINAPI GetUpdateRgn(HWND window, HRGN regionHandle, BOOL) {
  Region update;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return ERROR;
    update = w->update;
  }
  auto& objects = GdiObjects::instance();
  std::lock_guard lock(objects.mutex());
  auto* r = objects.get<platform::gdi::RegionObject>(regionHandle, GdiKind::region);
  if (!r) return ERROR;
  r->region = update;
  return update.kind();
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (!paint) return nullptr;
  sendFrameIfDue(window);
  HDC dc;
  bool erase;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return nullptr;
    Region update = w->update;
    update.intersect(clientArea(w));
    erase = w->erasePending;
    w->update.clear();
    w->erasePending = false;
    w->internalPaint = false;
    manager().refreshPaintCount(w);
    dc = windowDc(window, w, true, &update);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = update.bounds();
  }
  paint->fErase = erase ? !manager().send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) : FALSE;
  return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  ReleaseDC(window, paint->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND window) {
  if (!window) {
    // The screen DC: good for compatible DCs and device capabilities; nothing is drawn through it.
    HDC dc = CreateCompatibleDC(nullptr);
    return dc;
  }
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w ? windowDc(window, w, true, nullptr) : nullptr;
}

HDC WINAPI GetWindowDC(HWND window) {
  if (!window) return GetDC(nullptr);
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w ? windowDc(window, w, false, nullptr) : nullptr;
}

int WINAPI ReleaseDC(HWND, HDC handle) {
  Region dirty;
  HWND owner = nullptr;
  std::shared_ptr<platform::gdi::Surface> surface;
  {
    auto& objects = GdiObjects::instance();
    std::lock_guard lock(objects.mutex());
    DeviceContext* dc = objects.dc(handle);
    if (!dc) return 0;
    if (dc->memory) {
      DeleteDC(handle);
      return 1;
    }
    dirty = dc->dirty;
    owner = dc->window;
    surface = dc->surface;
    objects.remove(reinterpret_cast<HGDIOBJ>(handle));
  }
  auto guard = manager().lock();
  Window* w = manager().find(owner);
  Window* root = w ? manager().rootOf(w) : nullptr;
  if (root && root->surface == surface) manager().present(root, dirty);
  return 1;
}

HWND WINAPI WindowFromDC(HDC handle) {
  auto& objects = GdiObjects::instance();
  std::lock_guard lock(objects.mutex());
  DeviceContext* dc = objects.dc(handle);
  return dc ? dc->window : nullptr;
}
