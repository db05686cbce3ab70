// The presenter of top-level windows: it tells the window system about the screen and the frame
// that decorates a window, shows the windows' surfaces and feeds input back through an event sink.
// One implementation per backend (headless now, X11 later); the window system talks only to this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::display {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct Monitor {
  Rect area;
  Rect workArea;
  bool primary = false;
};

// The screen as a union of monitors; the first primary monitor gives SM_CXSCREEN and friends.
struct ScreenInfo {
  std::vector<Monitor> monitors;
  Rect virtualScreen() const;
  const Monitor& primary() const;
};

// How far the frame of a decorated window reaches beyond its client area; top includes the caption.
struct DecorationExtents {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A 32-bit surface as the window system lends it for presenting: rows top-down, 0x00RRGGBB pixels.
struct SurfaceView {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int strideBytes = 0;
};

enum class CursorShape { arrow, ibeam, wait, cross, upArrow, sizeNwse, sizeNesw, sizeWe, sizeNs, sizeAll, no, hand };

enum class MouseButton { left, right, middle };

// Receives the display's input, in screen coordinates; the window system routes it to windows.
class IDisplayEventSink {
 public:
  virtual ~IDisplayEventSink() = default;
  virtual void mouseMoved(int x, int y) = 0;
  virtual void mouseButton(MouseButton button, bool down, int x, int y) = 0;
  virtual void mouseWheel(int delta, int x, int y) = 0;
  virtual void key(unsigned virtualKey, bool down) = 0;
  // The backend's own close request for a window (a window manager's close button).
  virtual void closeRequested(uint64_t windowId) = 0;
};

class Display {
 public:
  virtual ~Display() = default;

  virtual const char* name() const = 0;
  virtual ScreenInfo screen() const = 0;
  virtual DecorationExtents decorationExtents() const = 0;

  // Window ids are chosen by the window system (its window handles) and only ever name top-level windows.
  // decorated: the frame is the backend's decoration; popup: placed exactly, without decoration.
  virtual void createWindow(uint64_t windowId, const Rect& rect, bool decorated) = 0;
  virtual void destroyWindow(uint64_t windowId) = 0;
  virtual void setVisible(uint64_t windowId, bool visible) = 0;
  virtual void setGeometry(uint64_t windowId, const Rect& rect) = 0;
  // Places the window directly above `below` (0: at the bottom of its band); topmost windows form a band above the rest.
  virtual void setStacking(uint64_t windowId, uint64_t below, bool topmost) = 0;
  virtual void setOpacity(uint64_t windowId, uint8_t alpha) = 0;
  // The visible part of the window in window coordinates; an empty list removes the shape.
  virtual void setShape(uint64_t windowId, const std::vector<Rect>& rects) = 0;
  virtual void setTitle(uint64_t windowId, const std::u16string& title) = 0;
  virtual void setCursor(CursorShape shape) = 0;
  // Shows the changed rectangles (window coordinates) of the window's whole surface.
  virtual void present(uint64_t windowId, const SurfaceView& surface, const std::vector<Rect>& changed) = 0;

  virtual void setEventSink(IDisplayEventSink* sink) = 0;
};

}  // namespace platform::display
