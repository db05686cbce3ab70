#include "display/headless/HeadlessDisplay.h"

#include "display/headless/PngWriter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::display::headless {

namespace {

bool inShape(const std::vector<Rect>& shape, int x, int y) {
  if (shape.empty()) return true;
  for (const Rect& r : shape)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

uint32_t blend(uint32_t under, uint32_t over, unsigned alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
    out |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

HeadlessDisplay::HeadlessDisplay() {
  Monitor monitor;
  monitor.area = Rect{0, 0, 1024, 768};
  monitor.workArea = Rect{0, 0, 1024, 728};
  monitor.primary = true;
  screen_.monitors.push_back(monitor);
  extents_ = DecorationExtents{4, 27, 4, 4};
  if (const char* dir = std::getenv("VESPER_SNAPSHOT_DIR")) snapshotDir_ = dir;
}

ScreenInfo HeadlessDisplay::screen() const {
  std::lock_guard lock(mutex_);
  return screen_;
}

DecorationExtents HeadlessDisplay::decorationExtents() const {
  std::lock_guard lock(mutex_);
  return extents_;
}

void HeadlessDisplay::createWindow(uint64_t windowId, const Rect& rect, bool decorated) {
  std::lock_guard lock(mutex_);
  WindowState& state = windows_[windowId];
  state = WindowState{};
  state.rect = rect;
  state.decorated = decorated;
  eraseFromStackLocked(windowId);
  stack_.push_back(windowId);
}

void HeadlessDisplay::destroyWindow(uint64_t windowId) {
  std::lock_guard lock(mutex_);
  windows_.erase(windowId);
  lastSnapshot_.erase(windowId);
  eraseFromStackLocked(windowId);
}

void HeadlessDisplay::setVisible(uint64_t windowId, bool visible) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it == windows_.end()) return;
  bool shown = visible && !it->second.visible;
  it->second.visible = visible;
  if (shown) snapshotLocked(windowId, it->second);
}

void HeadlessDisplay::setGeometry(uint64_t windowId, const Rect& rect) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it != windows_.end()) it->second.rect = rect;
}

void HeadlessDisplay::setStacking(uint64_t windowId, uint64_t below, bool topmost) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it == windows_.end()) return;
  it->second.topmost = topmost;
  eraseFromStackLocked(windowId);
  auto pos = std::find(stack_.begin(), stack_.end(), below);
  if (below != 0 && pos != stack_.end()) {
    stack_.insert(pos + 1, windowId);
  } else {
    // At the bottom of its band: topmost windows sit above every other.
    auto band = std::find_if(stack_.begin(), stack_.end(), [&](uint64_t id) { return windows_[id].topmost; });
    stack_.insert(topmost ? band : stack_.begin(), windowId);
  }
}

void HeadlessDisplay::setOpacity(uint64_t windowId, uint8_t alpha) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it != windows_.end()) it->second.alpha = alpha;
}

void HeadlessDisplay::setShape(uint64_t windowId, const std::vector<Rect>& rects) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it != windows_.end()) it->second.shape = rects;
}

void HeadlessDisplay::setTitle(uint64_t windowId, const std::u16string& title) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it != windows_.end()) it->second.title = title;
}

void HeadlessDisplay::setCursor(CursorShape shape) {
  std::lock_guard lock(mutex_);
  cursor_ = shape;
}

void HeadlessDisplay::present(uint64_t windowId, const SurfaceView& surface, const std::vector<Rect>& changed) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it == windows_.end() || !surface.pixels) return;
  WindowState& state = it->second;
  if (state.width != surface.width || state.height != surface.height) {
    // A new size: take the whole surface.
    state.width = surface.width;
    state.height = surface.height;
    state.pixels.assign(static_cast<size_t>(surface.width) * surface.height, 0);
    for (int y = 0; y < surface.height; ++y)
      std::memcpy(state.pixels.data() + static_cast<size_t>(y) * surface.width,
                  reinterpret_cast<const uint8_t*>(surface.pixels) + static_cast<ptrdiff_t>(y) * surface.strideBytes,
                  static_cast<size_t>(surface.width) * 4);
  } else {
    for (const Rect& r : changed) {
      int left = std::max(0, r.left), right = std::min(surface.width, r.right);
      int top = std::max(0, r.top), bottom = std::min(surface.height, r.bottom);
      if (left >= right) continue;
      for (int y = top; y < bottom; ++y)
        std::memcpy(state.pixels.data() + static_cast<size_t>(y) * surface.width + left,
                    reinterpret_cast<const uint8_t*>(surface.pixels) + static_cast<ptrdiff_t>(y) * surface.strideBytes +
                        static_cast<ptrdiff_t>(left) * 4,
                    static_cast<size_t>(right - left) * 4);
    }
  }
  ++state.presents;
  if (state.visible) snapshotLocked(windowId, state);
}

void HeadlessDisplay::setEventSink(IDisplayEventSink* sink) {
  std::lock_guard lock(mutex_);
  sink_ = sink;
}

void HeadlessDisplay::setScreen(const ScreenInfo& screen) {
  std::lock_guard lock(mutex_);
  screen_ = screen;
}

void HeadlessDisplay::setDecorationExtents(const DecorationExtents& extents) {
  std::lock_guard lock(mutex_);
  extents_ = extents;
}

// The sink is called without the display's lock: routing sends messages that present and restack.
void HeadlessDisplay::injectMouseMove(int x, int y) {
  IDisplayEventSink* sink;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink) sink->mouseMoved(x, y);
}

void HeadlessDisplay::injectMouseButton(MouseButton button, bool down, int x, int y) {
  IDisplayEventSink* sink;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink) sink->mouseButton(button, down, x, y);
}

void HeadlessDisplay::injectClick(MouseButton button, int x, int y) {
  injectMouseMove(x, y);
  injectMouseButton(button, true, x, y);
  injectMouseButton(button, false, x, y);
}

void HeadlessDisplay::injectWheel(int delta, int x, int y) {
  IDisplayEventSink* sink;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink) sink->mouseWheel(delta, x, y);
}

void HeadlessDisplay::injectKey(unsigned virtualKey, bool down) {
  IDisplayEventSink* sink;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink) sink->key(virtualKey, down);
}

void HeadlessDisplay::injectClose(uint64_t windowId) {
  IDisplayEventSink* sink;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink) sink->closeRequested(windowId);
}

std::optional<HeadlessDisplay::WindowState> HeadlessDisplay::window(uint64_t windowId) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it == windows_.end()) return std::nullopt;
  return it->second;
}

std::vector<uint64_t> HeadlessDisplay::stackingOrder() const {
  std::lock_guard lock(mutex_);
  return stack_;
}

CursorShape HeadlessDisplay::cursor() const {
  std::lock_guard lock(mutex_);
  return cursor_;
}

std::vector<uint32_t> HeadlessDisplay::composeScreen(int* width, int* height) const {
  std::lock_guard lock(mutex_);
  Rect screen = screen_.virtualScreen();
  *width = screen.width();
  *height = screen.height();
  std::vector<uint32_t> out(static_cast<size_t>(*width) * *height, 0);
  for (uint64_t id : stack_) {
    const WindowState& w = windows_.at(id);
    if (!w.visible || w.pixels.empty()) continue;
    for (int y = 0; y < w.height; ++y) {
      int sy = w.rect.top + y - screen.top;
      if (sy < 0 || sy >= *height) continue;
      for (int x = 0; x < w.width; ++x) {
        int sx = w.rect.left + x - screen.left;
        if (sx < 0 || sx >= *width || !inShape(w.shape, x, y)) continue;
        uint32_t& dest = out[static_cast<size_t>(sy) * *width + sx];
        dest = blend(dest, w.pixels[static_cast<size_t>(y) * w.width + x], w.alpha);
      }
    }
  }
  return out;
}

bool HeadlessDisplay::writeWindowPng(uint64_t windowId, const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(windowId);
  if (it == windows_.end() || it->second.pixels.empty()) return false;
  const WindowState& w = it->second;
  return PngWriter::write(path, w.pixels.data(), w.width, w.height, w.width * 4);
}

bool HeadlessDisplay::writeScreenPng(const std::string& path) const {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels = composeScreen(&width, &height);
  return PngWriter::write(path, pixels.data(), width, height, width * 4);
}

void HeadlessDisplay::snapshotLocked(uint64_t windowId, WindowState& state) {
  if (snapshotDir_.empty() || state.pixels.empty()) return;
  auto now = std::chrono::steady_clock::now();
  auto last = lastSnapshot_.find(windowId);
  if (last != lastSnapshot_.end() && now - last->second < std::chrono::milliseconds(100)) return;
  lastSnapshot_[windowId] = now;
  std::string path = snapshotDir_ + "/window-" + std::to_string(windowId) + ".png";
  PngWriter::write(path, state.pixels.data(), state.width, state.height, state.width * 4);
}

void HeadlessDisplay::eraseFromStackLocked(uint64_t windowId) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), windowId), stack_.end());
}

}  // namespace platform::display::headless
