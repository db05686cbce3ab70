#include "display/DisplaySelection.h"

#include "display/headless/HeadlessDisplay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::display {

const char* DisplaySelection::backendFor(const char* value) {
  if (!value || !*value || std::strcmp(value, "headless") == 0) return "headless";
  if (std::strcmp(value, "x11") == 0) {
    std::fprintf(stderr, "vesper: VESPER_DISPLAY=x11 is not available in this build; no display is opened\n");
    return "headless";
  }
  std::fprintf(stderr,
               "vesper: VESPER_DISPLAY has the unknown value \"%s\" (use headless or x11); no display is opened\n",
               value);
  return "headless";
}

bool DisplaySelection::opensDisplay(const char* value) { return value && std::strcmp(value, "headless") == 0; }

bool DisplaySelection::available() {
  static const bool open = opensDisplay(std::getenv("VESPER_DISPLAY"));
  return open;
}

Display& DisplaySelection::current() {
  // Created once and never destroyed: windows of threads that outlive main may still present.
  static Display* display = [] {
    backendFor(std::getenv("VESPER_DISPLAY"));
    return static_cast<Display*>(new headless::HeadlessDisplay());
  }();
  return *display;
}

headless::HeadlessDisplay* DisplaySelection::headless() {
  return dynamic_cast<headless::HeadlessDisplay*>(&current());
}

}  // namespace platform::display
