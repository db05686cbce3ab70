// The calling thread's hook chains. Only the computer-based-training hook exists, and of its notices
// only window creation, which lets a framework attach its wrapper before the first message arrives.
#pragma once

#include <win/user.h>

namespace platform::user {

class Hooks {
 public:
  // Runs the thread's chain for one notice; a non-zero answer means the hooks refuse the operation.
  static LRESULT callCbt(int code, WPARAM wParam, LPARAM lParam);
};

}  // namespace platform::user
