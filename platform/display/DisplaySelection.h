// Chooses the process's display from VESPER_DISPLAY, once. "headless" opens the in-memory display
// that tests drive and snapshot; "x11" is not in this build yet, so with it, unset or with a malformed
// value (which gets one line on stderr) no display is open: windows still exist and paint, off screen,
// and whatever would wait for a person (a message box) takes its no-display path instead.
#pragma once

#include "display/Display.h"

namespace platform::display {

namespace headless {
class HeadlessDisplay;
}

class DisplaySelection {
 public:
  // The backend the window system presents to, created on first use; off screen when none is open.
  static Display& current();
  // The headless backend when it is the current one, for tests that inject input; null otherwise.
  static headless::HeadlessDisplay* headless();
  // Whether a display someone can see or drive was opened for this process.
  static bool available();
  // The backend a VESPER_DISPLAY value names; writes the one-line complaint for a malformed value.
  static const char* backendFor(const char* value);
  // Whether that value opens a display (no complaint is written).
  static bool opensDisplay(const char* value);
};

}  // namespace platform::display
