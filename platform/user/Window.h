// The state of one window as the window manager keeps it. Rectangles are in the parent's client
// coordinates (screen coordinates for top-level windows). Accessed only under the manager's lock.
#pragma once

#include "gdi/Region.h"
#include "gdi/Surface.h"
#include "user/WindowClass.h"

#include <win/user.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::user {

class MessageQueue;

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::vector<uint8_t> extraBytes;
  std::u16string text;
  HICON smallIcon = nullptr;
  HICON bigIcon = nullptr;

  HWND parent = nullptr;       // set for child windows only
  HWND owner = nullptr;        // set for owned top-level windows only
  std::vector<HWND> children;  // top of the z-order first

  DWORD threadId = 0;
  std::shared_ptr<MessageQueue> queue;
  bool desktop = false;

  RECT windowRect{0, 0, 0, 0};
  RECT clientRect{0, 0, 0, 0};
  RECT normalRect{0, 0, 0, 0};  // where SW_RESTORE puts a minimized or maximized window
  bool created = false;         // WM_NCCREATE has been answered
  bool destroying = false;      // DestroyWindow has started

  // Painting state: the update region is in client coordinates.
  gdi::Region update;
  bool erasePending = false;
  bool framePending = false;
  bool internalPaint = false;
  bool countedForPaint = false;

  // Top-level windows paint into one surface that the display presents.
  std::shared_ptr<gdi::Surface> surface;
  bool onDisplay = false;

  bool layered = false;
  BYTE alpha = 255;
  std::optional<gdi::Region> shape;  // window coordinates

  bool isChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
  bool visibleStyle() const { return (style & WS_VISIBLE) != 0; }
  bool enabled() const { return (style & WS_DISABLED) == 0; }
  int width() const { return windowRect.right - windowRect.left; }
  int height() const { return windowRect.bottom - windowRect.top; }
  bool frameRectDiffers() const {
    return clientRect.left != windowRect.left || clientRect.top != windowRect.top ||
           clientRect.right != windowRect.right || clientRect.bottom != windowRect.bottom;
  }
  bool needsPaint() const { return !update.empty() || internalPaint || framePending; }
};

}  // namespace platform::user
