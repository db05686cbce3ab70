// Chooses the process's display backend once, from VESPER_DISPLAY ("headless" is the default and,
// until the X11 backend exists, the only one); a malformed value gets one line on stderr and the default.
#pragma once

#include "display/Display.h"

namespace platform::display {

namespace headless {
class HeadlessDisplay;
}

class DisplaySelection {
 public:
  // The backend chosen for this process, created on first use.
  static Display& current();
  // The headless backend when it is the current one, for tests that inject input; null otherwise.
  static headless::HeadlessDisplay* headless();
  // The backend a VESPER_DISPLAY value names; writes the one-line complaint for a malformed value.
  static const char* backendFor(const char* value);
};

}  // namespace platform::display
