// A window for tests: its procedure records every message it gets and lets a test answer any of
// them, falling back to DefWindowProcW. One class, registered once, serves every test window.
#pragma once

#include <win/user.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace testsupport {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class TestWindow {
 public:
  using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

  static constexpr const char16_t* className = u"VesperTestWindow";

  static void registerClass() {
    static bool done = [] {
      WNDCLASSW wc{};
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &TestWindow::procedure;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
      wc.lpszClassName = className;
      return RegisterClassW(&wc) != 0;
    }();
    (void)done;
  }

  HWND create(DWORD style, int x, int y, int width, int height, HWND parent = nullptr, DWORD exStyle = 0,
              const char16_t* title = u"test") {
    registerClass();
    creating() = this;
    handle = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr, nullptr, this);
    creating() = nullptr;
    return handle;
  }

  void onMessage(Handler h) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(h);
  }

  std::vector<Received> log() const {
    std::lock_guard lock(mutex_);
    return log_;
  }
  std::vector<UINT> messages() const {
    std::vector<UINT> out;
    for (const Received& r : log()) out.push_back(r.message);
    return out;
  }
  int count(UINT message) const {
    auto all = messages();
    return static_cast<int>(std::count(all.begin(), all.end(), message));
  }
  void clear() {
    std::lock_guard lock(mutex_);
    log_.clear();
  }

  HWND handle = nullptr;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
      self = creating();
      if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                     reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    Handler handler;
    {
      std::lock_guard lock(self->mutex_);
      self->log_.push_back(Received{window, message, wParam, lParam});
      handler = self->handler_;
    }
    if (handler)
      if (std::optional<LRESULT> answer = handler(window, message, wParam, lParam)) return *answer;
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  static TestWindow*& creating() {
    static thread_local TestWindow* current = nullptr;
    return current;
  }

  mutable std::mutex mutex_;
  std::vector<Received> log_;
  Handler handler_;
};

// Handles everything waiting in the calling thread's queue.
inline void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The messages of interest, in the order they came, without the others.
inline std::vector<UINT> only(const std::vector<UINT>& all, std::initializer_list<UINT> wanted) {
  std::vector<UINT> out;
  for (UINT m : all)
    if (std::find(wanted.begin(), wanted.end(), m) != wanted.end()) out.push_back(m);
  return out;
}

}  // namespace testsupport
