// Turns the display's input into window messages, as the real system does: the window under the
// pointer is found from the top-level window down, asked with WM_NCHITTEST (HTTRANSPARENT passes the
// press to the window beneath), and gets client or non-client mouse messages; capture, mouse
// activation, double clicks, the wheel and keys to the focus window follow the documented rules.
// A disabled window gets no mouse or keyboard input.
//
// Input is routed one event at a time, in order: an event waits until the thread that received the
// one before has taken it and come back to its queue. So whatever that thread did with it (taking
// the capture, moving the focus) decides where the next event goes, however fast input arrives. A
// thread that stays away from its queue holds input back for a bounded time only: a watcher thread
// routes the waiting event when the bound passes or the thread ends, so nothing waits for a wake-up
// that never comes. The asynchronous state (cursor position, GetAsyncKeyState) follows the input as
// it arrives.
#pragma once

#include "display/Display.h"

#include <win/user.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace platform::user {

class MessageQueue;

class InputRouter : public display::IDisplayEventSink {
 public:
  static InputRouter& instance();

  // The window that takes input at a screen point and its hit-test answer (HTERROR for a disabled one).
  HWND hitTest(POINT screen, int* hit);

  void mouseMoved(int x, int y) override;
  void mouseButton(display::MouseButton button, bool down, int x, int y) override;
  void mouseWheel(int delta, int x, int y) override;
  void key(unsigned virtualKey, bool down) override;
  void closeRequested(uint64_t windowId) override;

  // Routes waiting input once nothing is in flight. A queue calls it each time it looks for messages.
  void pump(const MessageQueue* caller);
  // A queue has taken an input message out.
  void taken(const MessageQueue* queue);
  // A window has been destroyed: input in flight to it is settled.
  void windowDestroyed();
  // A thread's queue is gone: input in flight to it no longer waits.
  void queueEnded();

 private:
  struct RawInput {
    enum class Kind { move, button, wheel, key } kind = Kind::move;
    display::MouseButton button = display::MouseButton::left;
    bool down = false;
    bool alt = false;
    POINT point{0, 0};
    int delta = 0;
    unsigned virtualKey = 0;
    WPARAM keyFlags = 0;  // the MK_ flags as they were when the input arrived
  };
  struct Delivery {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    POINT point{0, 0};
  };
  struct InFlight {
    std::weak_ptr<MessageQueue> queue;
    HWND window = nullptr;
    bool taken = false;
    uint64_t since = 0;
  };

  InputRouter() = default;
  void enqueue(const RawInput& input);
  void settleLocked(const MessageQueue* caller);
  void startWatcher();
  void watchStalls();
  std::optional<Delivery> route(const RawInput& input);
  std::optional<Delivery> routeMouse(UINT clientMessage, UINT nonClientMessage, const RawInput& input);
  std::optional<Delivery> routeButton(const RawInput& input);
  std::optional<Delivery> routeWheel(const RawInput& input);
  std::optional<Delivery> routeKey(const RawInput& input);
  WPARAM keyFlags() const;

  std::mutex mutex_;
  std::deque<RawInput> pending_;
  std::optional<InFlight> inFlight_;
  bool routing_ = false;
  std::atomic<bool> busy_{false};  // input waits, is being routed or is in flight
  std::condition_variable watch_;  // wakes the watcher when the in-flight state changes
  std::once_flag watcherStarted_;

  // The last press, for telling double clicks; used only while routing.
  HWND lastPressWindow_ = nullptr;
  UINT lastPressMessage_ = 0;
  uint64_t lastPressTime_ = 0;
  POINT lastPressPoint_{0, 0};
};

}  // namespace platform::user
