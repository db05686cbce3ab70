#include "start/VesperApp.h"

#include <win/commctrl.h>

#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "process/commandline/ICommandLine.h"
#include "start/SwitchMode.h"
#include "start/WindowMode.h"

namespace s::system::vesper {

using s::app::win::AppBase;
using s::app::win::AppWindow;

namespace {

constexpr int32_t kMainWindowWidth = 230;
constexpr int32_t kMainWindowHeight = 230;

void initCommonControls() {
  INITCOMMONCONTROLSEX init = {};
  init.dwSize = sizeof init;
  init.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&init);
}

}  // namespace

BOOL CVesperApp::InitInstance() {
  initCommonControls();
  CWinApp::InitInstance();

  AppBase* application = AppBase::acquire();
  if (!application) return FALSE;
  if (!application->initialise(this)) {
    application->release();
    return FALSE;
  }
  // Bound in both modes: binding writes the record's identification values even when no window shows.
  AppWindow* record = AppWindow::acquire();
  if (record) {
    record->bind(application, u"MainWindow", application->getSoftwareType(), kMainWindowWidth, kMainWindowHeight,
                 false, AppWindow::kClose, application->getSkinner(), nullptr);
    if (application->getCommandLine()->getCount() > 0)
      runSwitchMode(application);
    else
      runWindowMode(application, record);
    record->release();
  }
  application->release();
  return FALSE;
}

}  // namespace s::system::vesper
