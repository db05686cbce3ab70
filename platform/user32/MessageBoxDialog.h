// A message box as a real dialog window (class "#32770"): caption, icon, text in lines and a button
// per answer, centred on the work area. It runs its own modal loop on the calling thread, which keeps
// dispatching the thread's other messages; Enter presses the focused button, Escape answers Cancel
// (OK in a box with only OK), Tab and the arrow keys move between buttons, and a button's underlined
// letter answers it. An owner window is disabled while its box is up.
#pragma once

#include <win/msgbox.h>
#include <win/user.h>

namespace platform::user32 {

class MessageBoxDialog {
 public:
  static WNDCLASSW windowClass();
  // Answers the button chosen; 0 for an unknown type or when the box cannot be shown.
  static int run(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
};

}  // namespace platform::user32
