// A virtual screen in memory: tests set its monitors, work areas and frame extents, inject mouse and
// keyboard input at screen positions (routed exactly like a real backend's input), read back what
// each top-level window presented, and write PNG pictures of a window or of the whole screen.
// With VESPER_SNAPSHOT_DIR set it also writes a picture of each window whenever it has been shown or
// repainted, at most every 100 ms per window.
#pragma once

#include "display/Display.h"

#include <chrono>
#include <map>
#include <mutex>
#include <optional>

namespace platform::display::headless {

class HeadlessDisplay : public Display {
 public:
  HeadlessDisplay();

  // The state of one presented window, as a test reads it.
  struct WindowState {
    Rect rect;
    bool decorated = false;
    bool visible = false;
    bool topmost = false;
    uint8_t alpha = 255;
    std::vector<Rect> shape;
    std::u16string title;
    std::vector<uint32_t> pixels;  // width * height, top-down, 0x00RRGGBB
    int width = 0;
    int height = 0;
    int presents = 0;
  };

  const char* name() const override { return "headless"; }
  ScreenInfo screen() const override;
  DecorationExtents decorationExtents() const override;
  void createWindow(uint64_t windowId, const Rect& rect, bool decorated) override;
  void destroyWindow(uint64_t windowId) override;
  void setVisible(uint64_t windowId, bool visible) override;
  void setGeometry(uint64_t windowId, const Rect& rect) override;
  void setStacking(uint64_t windowId, uint64_t below, bool topmost) override;
  void setOpacity(uint64_t windowId, uint8_t alpha) override;
  void setShape(uint64_t windowId, const std::vector<Rect>& rects) override;
  void setTitle(uint64_t windowId, const std::u16string& title) override;
  void setCursor(CursorShape shape) override;
  void present(uint64_t windowId, const SurfaceView& surface, const std::vector<Rect>& changed) override;
  void setEventSink(IDisplayEventSink* sink) override;

  // Test controls. Changing the screen affects metrics read afterwards.
  void setScreen(const ScreenInfo& screen);
  void setDecorationExtents(const DecorationExtents& extents);
  void injectMouseMove(int x, int y);
  void injectMouseButton(MouseButton button, bool down, int x, int y);
  void injectClick(MouseButton button, int x, int y);
  void injectWheel(int delta, int x, int y);
  void injectKey(unsigned virtualKey, bool down);
  void injectClose(uint64_t windowId);

  std::optional<WindowState> window(uint64_t windowId) const;
  // Window ids from the bottom of the stack to the top, topmost band last.
  std::vector<uint64_t> stackingOrder() const;
  CursorShape cursor() const;
  // The screen as composed from the visible windows over a black background.
  std::vector<uint32_t> composeScreen(int* width, int* height) const;
  bool writeWindowPng(uint64_t windowId, const std::string& path) const;
  bool writeScreenPng(const std::string& path) const;

 private:
  void snapshotLocked(uint64_t windowId, WindowState& state);
  void eraseFromStackLocked(uint64_t windowId);

  mutable std::mutex mutex_;
  ScreenInfo screen_;
  DecorationExtents extents_;
  std::map<uint64_t, WindowState> windows_;
  std::vector<uint64_t> stack_;  // bottom first
  CursorShape cursor_ = CursorShape::arrow;
  IDisplayEventSink* sink_ = nullptr;
  std::string snapshotDir_;
  std::map<uint64_t, std::chrono::steady_clock::time_point> lastSnapshot_;
};

}  // namespace platform::display::headless
