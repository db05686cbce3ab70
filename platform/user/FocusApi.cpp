// Enabling, activation, focus, capture, the cursor and the keyboard state.
#include <win/user.h>

#include "user/Activation.h"
#include "user/QueueRegistry.h"
#include "user/WindowManager.h"

#include <win/sync.h>

using platform::user::Activation;
using platform::user::QueueRegistry;
using platform::user::Window;
using platform::user::WindowManager;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

// The calling thread sees only its own windows as focus and active window.
HWND ownedByCaller(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return (w && w->threadId == GetCurrentThreadId()) ? window : nullptr;
}

struct StandardCursor {
  WORD id;
  platform::display::CursorShape shape;
};

constexpr StandardCursor standardCursors[] = {
    {32512, platform::display::CursorShape::arrow},    {32513, platform::display::CursorShape::ibeam},
    {32514, platform::display::CursorShape::wait},     {32515, platform::display::CursorShape::cross},
    {32516, platform::display::CursorShape::upArrow},  {32642, platform::display::CursorShape::sizeNwse},
    {32643, platform::display::CursorShape::sizeNesw}, {32644, platform::display::CursorShape::sizeWe},
    {32645, platform::display::CursorShape::sizeNs},   {32646, platform::display::CursorShape::sizeAll},
    {32648, platform::display::CursorShape::no},       {32649, platform::display::CursorShape::hand},
};

// Standard cursors are handles that carry their id, so they need no table and never go stale.
constexpr ULONG_PTR cursorTag = 0x7C000000;

}  // namespace

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
  bool wasDisabled;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    wasDisabled = !w->enabled();
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) w->style &= ~WS_DISABLED;
    else w->style |= WS_DISABLED;
  }
  if (!enable) {
    HWND focus = manager().focusWindow();
    if (focus && (focus == window || IsChild(window, focus))) Activation::setFocus(nullptr);
    HWND capture = manager().captureWindow();
    if (capture && (capture == window || IsChild(window, capture))) Activation::releaseCapture();
  }
  manager().send(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w && w->enabled();
}

HWND WINAPI SetFocus(HWND window) { return Activation::setFocus(window); }

HWND WINAPI GetFocus() { return ownedByCaller(manager().focusWindow()); }

HWND WINAPI SetActiveWindow(HWND window) { return Activation::activate(window, false); }

HWND WINAPI GetActiveWindow() { return ownedByCaller(manager().activeWindow()); }

BOOL WINAPI SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  Activation::activate(window, false);
  return TRUE;
}

HWND WINAPI GetForegroundWindow() { return manager().activeWindow(); }

HWND WINAPI SetCapture(HWND window) { return Activation::setCapture(window); }

BOOL WINAPI ReleaseCapture() {
  Activation::releaseCapture();
  return TRUE;
}

HWND WINAPI GetCapture() { return manager().captureWindow(); }

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  auto guard = manager().lock();
  *point = manager().cursor;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  auto guard = manager().lock();
  manager().cursor = POINT{x, y};
  return TRUE;
}

SHORT WINAPI GetAsyncKeyState(int key) {
  if (key < 0 || key > 255) return 0;
  auto guard = manager().lock();
  return (manager().keys[key] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

// The state as of the input message the calling thread took last, not as the keys are now.
SHORT WINAPI GetKeyState(int key) {
  if (key < 0 || key > 255) return 0;
  return QueueRegistry::current()->keyState(key);
}

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;  // only the standard cursors exist
  WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  for (const StandardCursor& c : standardCursors)
    if (c.id == id) return reinterpret_cast<HCURSOR>(cursorTag | id);
  return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  HCURSOR old;
  {
    auto guard = manager().lock();
    old = manager().cursorHandle;
    manager().cursorHandle = cursor;
  }
  ULONG_PTR value = reinterpret_cast<ULONG_PTR>(cursor);
  if ((value & ~static_cast<ULONG_PTR>(0xFFFF)) == cursorTag)
    for (const StandardCursor& c : standardCursors)
      if (c.id == (value & 0xFFFF)) manager().display().setCursor(c.shape);
  return old;
}

HCURSOR WINAPI GetCursor() {
  auto guard = manager().lock();
  return manager().cursorHandle;
}

UINT WINAPI GetDoubleClickTime() { return 500; }
