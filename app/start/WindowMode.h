// Window mode: a start without arguments wakes a running copy instead of starting twice, refuses
// systems the window was not made for and opens the product page after a silent installation. The
// main window itself is built afterwards; until it exists, window mode ends after these steps.
#pragma once

namespace s::app::win {
class AppBase;
class AppWindow;
}  // namespace s::app::win

namespace s::system::vesper {

extern const char16_t kUnsupportedSystemText[];

void runWindowMode(s::app::win::AppBase* application, s::app::win::AppWindow* mainWindowRecord);

}  // namespace s::system::vesper
