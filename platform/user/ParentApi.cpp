// SetParent: moving a window to another parent, or out to the desktop and back. The window keeps its
// rectangle's numbers, now read in the new parent's client coordinates, and comes to the top of its
// new siblings. A window given a parent becomes a child (WS_CHILD) and one given the desktop becomes
// a popup, so that the window's style always says what it is.
#include <win/user.h>

#include "user/NonClient.h"
#include "user/WindowManager.h"

#include <win/error.h>

#include <algorithm>

using platform::user::NonClient;
using platform::user::Window;
using platform::user::WindowManager;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

void leaveSiblings(Window* w) {
  if (w->isChild()) {
    if (std::vector<HWND>* siblings = manager().siblingsOf(w))
      siblings->erase(std::remove(siblings->begin(), siblings->end(), w->handle), siblings->end());
    return;
  }
  auto& list = manager().topLevels();
  list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
  if (w->onDisplay) manager().display().destroyWindow(platform::user::displayId(w->handle));
  w->onDisplay = false;
  w->surface.reset();
}

void becomeChild(Window* w, Window* parent) {
  w->parent = parent->handle;
  w->owner = nullptr;
  w->style = (w->style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
  parent->children.insert(parent->children.begin(), w->handle);
}

void becomeTopLevel(Window* w) {
  w->parent = nullptr;
  w->style = (w->style & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP | WS_CLIPSIBLINGS;
  auto& list = manager().topLevels();
  auto pos = std::find_if(list.begin(), list.end(), [](HWND h) {
    Window* o = manager().find(h);
    return o && !(o->exStyle & WS_EX_TOPMOST);
  });
  list.insert(pos, w->handle);
  auto& display = manager().display();
  uint64_t id = platform::user::displayId(w->handle);
  const RECT& r = w->windowRect;
  display.createWindow(id, platform::display::Rect{r.left, r.top, r.right, r.bottom},
                       NonClient::decorated(w->style, false));
  w->onDisplay = true;
  auto at = std::find(list.begin(), list.end(), w->handle);
  uint64_t below = (at + 1 != list.end()) ? platform::user::displayId(*(at + 1)) : 0;
  display.setStacking(id, below, false);
  manager().ensureSurface(w);
  if (w->visibleStyle()) display.setVisible(id, true);
}

}  // namespace

HWND WINAPI SetParent(HWND window, HWND newParent) {
  HWND oldParent;
  RECT oldRect{};
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    Window* p = newParent ? manager().find(newParent) : nullptr;
    if (!w || w->desktop || w->destroying || (newParent && !p)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    if (p && p->desktop) p = nullptr;
    // A window cannot become its own descendant.
    for (Window* up = p; up; up = manager().parentOf(up))
      if (up == w) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
    Window* old = manager().parentOf(w);
    oldParent = old ? old->handle : manager().desktop();
    if (old == p) return oldParent;
    oldRect = w->windowRect;
    leaveSiblings(w);
    if (p)
      becomeChild(w, p);
    else
      becomeTopLevel(w);
  }
  // The place it left and the window in its new place are painted again.
  if (oldParent != GetDesktopWindow()) InvalidateRect(oldParent, &oldRect, TRUE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return oldParent;
}
