#include "start/WindowMode.h"

#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "power/SystemVersion.h"
#include "start/InformationBox.h"

namespace s::system::vesper {

const char16_t kUnsupportedSystemText[] =
    u"This Operating System is currently not supported by this Application. We are sorry for the "
    u"inconvenience.";

void runWindowMode(s::app::win::AppBase* application, s::app::win::AppWindow*) {
  // A copy that is already running is brought to the front; this one ends without a word.
  if (application->notifyRunningInstance(true, false, true)) return;
  if (!isWindowsXp() && !isWindowsServer2003()) {
    showInformationBox(kUnsupportedSystemText);
    return;
  }
  application->openPageAfterSilentInstall();
}

}  // namespace s::system::vesper
