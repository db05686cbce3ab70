// Turns the display's input into window messages, as the real system does: the window under the
// pointer is found from the top-level window down, asked with WM_NCHITTEST (HTTRANSPARENT passes the
// press to the window beneath), and gets client or non-client mouse messages; capture, mouse
// activation, double clicks, the wheel and keys to the focus window follow the documented rules.
// A disabled window gets no mouse or keyboard input.
#pragma once

#include "display/Display.h"

#include <win/user.h>

namespace platform::user {

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

 private:
  InputRouter() = default;
  WPARAM keyFlags() const;
  void deliverMouse(UINT clientMessage, UINT nonClientMessage, WPARAM extra, POINT screen);

  // The last press, for telling double clicks.
  HWND lastPressWindow_ = nullptr;
  UINT lastPressMessage_ = 0;
  uint64_t lastPressTime_ = 0;
  POINT lastPressPoint_{0, 0};
};

}  // namespace platform::user
