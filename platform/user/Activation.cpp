#include "user/Activation.h"

#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

#include <win/sync.h>

#include <vector>

namespace platform::user {

namespace {

WindowManager& manager() { return WindowManager::instance(); }

bool inTree(HWND root, HWND window) {
  return window && (window == root || IsChild(root, window));
}

DWORD threadOf(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w ? w->threadId : 0;
}

// Tells every top-level window of a thread that its thread gains or loses the activation; the other
// thread is the one losing or gaining it (0 for none).
void tellThread(DWORD threadId, bool active, DWORD otherThread) {
  if (!threadId) return;
  std::vector<HWND> windows;
  {
    auto guard = manager().lock();
    for (HWND h : manager().topLevels())
      if (Window* w = manager().find(h); w && w->threadId == threadId && !w->destroying) windows.push_back(h);
  }
  // Another thread is told without waiting for it, so a busy thread cannot hold activation up; its
  // windows still hear it before any message sent to them afterwards.
  bool own = threadId == GetCurrentThreadId();
  for (HWND h : windows) {
    if (own)
      manager().send(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
    else
      SendNotifyMessageW(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
  }
}

bool canTakeActivation(const Window* w) {
  return w && !w->desktop && !w->destroying && w->visibleStyle() && w->enabled() && !(w->style & WS_MINIMIZE) &&
         !(w->exStyle & WS_EX_NOACTIVATE);
}

// Where the activation goes when the active window leaves: its owner if that can take it, else the
// highest window in the z-order that can.
HWND successorOf(HWND leaving) {
  auto guard = manager().lock();
  Window* w = manager().find(leaving);
  if (!w) return nullptr;
  if (Window* owner = manager().find(w->owner); owner && owner->handle != leaving && canTakeActivation(owner))
    return owner->handle;
  for (HWND h : manager().topLevels()) {
    if (h == leaving) continue;
    Window* o = manager().find(h);
    if (!canTakeActivation(o)) continue;
    // Windows owned by the leaving one go with it.
    bool ownedByLeaving = false;
    for (Window* up = o; up && up->owner; up = manager().find(up->owner))
      if (up->owner == leaving) ownedByLeaving = true;
    if (!ownedByLeaving) return h;
  }
  return nullptr;
}

}  // namespace

HWND Activation::activate(HWND window, bool byClick) {
  HWND old;
  bool minimized;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || w->desktop) return nullptr;
    w = manager().rootOf(w);
    window = w->handle;
    old = manager().active;
    if (old == window) return old;
    minimized = (w->style & WS_MINIMIZE) != 0;
  }
  DWORD oldThread = old ? threadOf(old) : 0;
  DWORD newThread = threadOf(window);
  if (old && IsWindow(old)) {
    manager().send(old, WM_NCACTIVATE, FALSE, 0);
    manager().send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
  }
  // Activation that moves to another thread tells both threads' windows.
  if (oldThread != newThread) tellThread(oldThread, false, newThread);
  {
    auto guard = manager().lock();
    if (!manager().find(window)) return old;
    manager().active = window;
  }
  WindowPositioner::setWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (oldThread != newThread) tellThread(newThread, true, oldThread);
  manager().send(window, WM_NCACTIVATE, TRUE, 0);
  manager().send(window, WM_ACTIVATE, MAKEWPARAM(byClick ? WA_CLICKACTIVE : WA_ACTIVE, minimized ? 1 : 0),
                 reinterpret_cast<LPARAM>(old));
  return old;
}

HWND Activation::setFocus(HWND window) {
  HWND old;
  if (window) {
    HWND root;
    {
      auto guard = manager().lock();
      Window* w = manager().find(window);
      if (!w || w->desktop) return nullptr;
      root = manager().rootOf(w)->handle;
    }
    if (manager().activeWindow() != root) activate(root, false);
  }
  {
    auto guard = manager().lock();
    if (window && !manager().find(window)) return nullptr;
    old = manager().focus;
    if (old == window) return old;
    manager().focus = window;
  }
  if (old && IsWindow(old)) manager().send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window) manager().send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND Activation::setCapture(HWND window) {
  HWND old;
  {
    auto guard = manager().lock();
    if (window && !manager().find(window)) return nullptr;
    old = manager().capture;
    manager().capture = window;
  }
  if (old && old != window) manager().send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  return old;
}

void Activation::releaseCapture() {
  HWND old;
  {
    auto guard = manager().lock();
    old = manager().capture;
    manager().capture = nullptr;
  }
  if (old) manager().send(old, WM_CAPTURECHANGED, 0, 0);
}

void Activation::forget(HWND window, bool) {
  HWND focus, capture, active;
  {
    auto guard = manager().lock();
    focus = manager().focus;
    capture = manager().capture;
    active = manager().active;
  }
  if (inTree(window, capture)) releaseCapture();
  if (inTree(window, focus)) {
    {
      auto guard = manager().lock();
      manager().focus = nullptr;
    }
    manager().send(focus, WM_KILLFOCUS, 0, 0);
  }
  if (active == window) {
    if (HWND next = successorOf(window)) {
      activate(next, false);
      if (manager().activeWindow() != window) return;
    }
    {
      auto guard = manager().lock();
      if (manager().active != window) return;
      manager().active = nullptr;
    }
    manager().send(window, WM_NCACTIVATE, FALSE, 0);
    manager().send(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    tellThread(threadOf(window), false, 0);
  }
}

}  // namespace platform::user
