// Helpers for tests of the system's controls, menus and message boxes on the headless display: the
// display itself (opened for the process), a recording parent window, a thread that runs a modal
// call while the test drives it, and lookups of windows by class and of presented pixels.
#pragma once

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/user.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace uisupport {

using platform::display::DisplaySelection;
using platform::display::MouseButton;
using platform::display::headless::HeadlessDisplay;

// Opens the headless display for this process; call before anything asks whether a display is open.
inline HeadlessDisplay* openHeadless() {
  setenv("VESPER_DISPLAY", "headless", 1);
  EXPECT_TRUE(DisplaySelection::available());
  HeadlessDisplay* display = DisplaySelection::headless();
  platform::display::ScreenInfo screen;
  screen.monitors.push_back({{0, 0, 1024, 768}, {0, 0, 1024, 728}, true});
  display->setScreen(screen);
  display->setDecorationExtents(platform::display::DecorationExtents{4, 24, 4, 4});
  return display;
}

template <typename Condition>
bool waitFor(Condition condition, int milliseconds = 5000) {
  for (int i = 0; i < milliseconds; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline std::u16string classOf(HWND window) {
  char16_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The visible top-level windows of a class, topmost first.
inline std::vector<HWND> visibleWindowsOfClass(const char16_t* className) {
  struct Search {
    std::u16string name;
    std::vector<HWND> found;
  } search{className, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (IsWindowVisible(window) && classOf(window) == s->name) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

inline POINT centreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A pixel of a top-level window as presented, as a COLORREF (0x00BBGGRR), at window coordinates.
inline COLORREF presentedPixel(HeadlessDisplay* display, HWND topLevel, int x, int y) {
  auto state = display->window(reinterpret_cast<uintptr_t>(topLevel));
  if (!state || x < 0 || y < 0 || x >= state->width || y >= state->height) return CLR_INVALID;
  uint32_t p = state->pixels[static_cast<size_t>(y) * state->width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// A top-level window that records the messages it gets and answers a few of them as a test says.
class Recorder {
 public:
  struct Entry {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  using Answer = std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)>;

  HWND create(DWORD style, int x, int y, int width, int height) {
    static bool registered = [] {
      WNDCLASSW wc{};
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &Recorder::procedure;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
      wc.lpszClassName = u"VesperRecorder";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    handle = CreateWindowExW(0, u"VesperRecorder", u"recorder", style, x, y, width, height, nullptr, nullptr, nullptr,
                             this);
    return handle;
  }
  void answer(Answer a) {
    std::lock_guard lock(mutex_);
    answer_ = std::move(a);
  }
  std::vector<Entry> entries(UINT message) const {
    std::lock_guard lock(mutex_);
    std::vector<Entry> out;
    for (const Entry& e : log_)
      if (e.message == message) out.push_back(e);
    return out;
  }
  std::vector<UINT> messages() const {
    std::lock_guard lock(mutex_);
    std::vector<UINT> out;
    for (const Entry& e : log_) out.push_back(e.message);
    return out;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    log_.clear();
  }

  HWND handle = nullptr;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    Answer answer;
    {
      std::lock_guard lock(self->mutex_);
      self->log_.push_back(Entry{message, wParam, lParam});
      answer = self->answer_;
    }
    LRESULT result = 0;
    if (answer && answer(message, wParam, lParam, &result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  mutable std::mutex mutex_;
  std::vector<Entry> log_;
  Answer answer_;
};

}  // namespace uisupport
