// The message box for a process that has no display to show one on: the caption and text go to
// standard error and the answer is the box's default button, so callers run on as if confirmed.
#pragma once

#include <win/msgbox.h>

namespace platform::user32 {

class MessageBoxStandIn {
 public:
  static int answer(LPCWSTR text, LPCWSTR caption, UINT type);
};

}  // namespace platform::user32
