#include "user/Activation.h"

#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

namespace platform::user {

namespace {

WindowManager& manager() { return WindowManager::instance(); }

bool inTree(HWND root, HWND window) {
  return window && (window == root || IsChild(root, window));
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
  if (old && IsWindow(old)) {
    manager().send(old, WM_NCACTIVATE, FALSE, 0);
    manager().send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
  }
  {
    auto guard = manager().lock();
    if (!manager().find(window)) return old;
    manager().active = window;
  }
  WindowPositioner::setWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    if (manager().active != root) activate(root, false);
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
    {
      auto guard = manager().lock();
      manager().active = nullptr;
    }
    manager().send(window, WM_NCACTIVATE, FALSE, 0);
    manager().send(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  }
}

}  // namespace platform::user
