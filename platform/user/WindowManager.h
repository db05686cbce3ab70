// The process's window manager: every window's state, the class registry, the stacking of
// top-level windows, activation, focus and capture, and the painting bookkeeping that turns
// invalidation into WM_PAINT. One recursive lock guards it all; window procedures are always called
// with the lock released, and windows are looked up again by handle afterwards.
#pragma once

#include "display/Display.h"
#include "gdi/Region.h"
#include "handles/HandleTable.h"
#include "user/ClassRegistry.h"
#include "user/Window.h"

#include <win/user.h>

#include <memory>
#include <mutex>
#include <vector>

namespace platform::user {

class WindowManager {
 public:
  static WindowManager& instance();

  using Lock = std::unique_lock<std::recursive_mutex>;
  Lock lock() { return Lock(mutex_); }
  display::Display& display() { return *display_; }
  ClassRegistry& classes() { return classes_; }

  // Lookups and tree, under the lock.
  Window* find(HWND window) const;
  HWND add(std::unique_ptr<Window> window);
  void remove(HWND window);
  HWND desktop() const { return desktop_; }
  std::vector<HWND>& topLevels() { return topLevels_; }  // top of the z-order first
  Window* parentOf(const Window* w) const { return w->isChild() ? find(w->parent) : nullptr; }
  Window* rootOf(Window* w) const;
  std::vector<HWND>* siblingsOf(const Window* w);
  std::vector<Window*> windowsOfThread(DWORD threadId) const;
  // Visible itself and through every ancestor.
  bool reallyVisible(const Window* w) const;

  // Geometry, under the lock.
  POINT clientOriginOnScreen(const Window* w) const;
  RECT windowRectOnScreen(const Window* w) const;
  // Where the window's rectangles lie in its top-level window's surface.
  POINT clientOriginInSurface(const Window* w) const;
  POINT windowOriginInSurface(const Window* w) const;
  // The part of a window that drawing may reach, in its top-level window's surface coordinates.
  gdi::Region visibleArea(const Window* w, bool clientOnly) const;

  // Painting, under the lock. Areas are in the window's client coordinates.
  void invalidate(Window* w, const gdi::Region& area, bool erase, bool frame, bool allChildren, bool noChildren);
  void invalidateAll(Window* w, bool erase);
  void validate(Window* w, const gdi::Region* area);
  void refreshPaintCount(Window* w);
  void ensureSurface(Window* root);
  void present(Window* root, const gdi::Region& surfaceArea);
  // Finds a window of the thread that needs painting and fills a WM_PAINT for it; sends WM_NCPAINT first
  // when its frame is due. Takes the lock itself.
  bool takePaint(DWORD threadId, HWND filter, MSG* out);

  // Calls the window's procedure on the calling thread; 0 for a window that is gone.
  LRESULT callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // SendMessage within or across threads; false when the window is gone or the send timed out.
  bool send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs, LRESULT* result);
  LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Posts to the window's thread; false for a window that is gone.
  bool post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input, POINT pt);

  void destroyThreadWindows(DWORD threadId);

  // Input and activation state, changed and read under the lock; the readers below take it.
  HWND activeWindow() const { return read(&WindowManager::active); }
  HWND focusWindow() const { return read(&WindowManager::focus); }
  HWND captureWindow() const { return read(&WindowManager::capture); }
  POINT cursorPosition() const {
    Lock guard(mutex_);
    return cursor;
  }
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  POINT cursor{0, 0};
  BYTE keys[256] = {};
  HCURSOR cursorHandle = nullptr;

 private:
  WindowManager();
  HWND read(HWND WindowManager::*field) const {
    Lock guard(mutex_);
    return this->*field;
  }

  mutable std::recursive_mutex mutex_;
  display::Display* display_;
  handles::HandleTable<Window> table_;
  ClassRegistry classes_;
  std::vector<HWND> topLevels_;
  HWND desktop_ = nullptr;
};

// Handle values and HWND convert one to one.
inline HWND toHwnd(uint32_t value) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(value)); }
inline uint64_t displayId(HWND window) { return reinterpret_cast<uintptr_t>(window); }

}  // namespace platform::user
