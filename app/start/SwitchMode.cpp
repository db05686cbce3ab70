#include "start/SwitchMode.h"

#include <win/thread.h>

#include "app/win/AppBase.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "file/IPath.h"
#include "power/PowerActions.h"
#include "process/commandline/ICommandLine.h"
#include "shellmenu/BridgeInstaller.h"
#include "shellmenu/TemplateWriter.h"

namespace s::system::vesper {

using s::app::win::AppBase;
using s::str::strbuffer::StrBuffer;

namespace {

// The bridge file shipped beside the executable.
constexpr const char16_t* kBridgeFileName = u"MenuPorter118.dll";
// Gives the desktop time to let go of the menu before the process ends.
constexpr DWORD kUninstallPauseMs = 2000;

void install(AppBase* application) {
  s::file::IPath* folder = application->getExeFolder();
  s::file::IPath* bridge = folder ? folder->acquireChild(kBridgeFileName) : nullptr;
  if (bridge) {
    s::shell::server01::installBridge(bridge);
    bridge->release();
  }
  s::shell::server01::writeTemplate(application->getMenuLocalizer());
}

void uninstall(AppBase*) {
  s::shell::server01::withdrawTemplate();
  Sleep(kUninstallPauseMs);
}

void runStandBy(AppBase*) { standBy(); }
void runHibernate(AppBase*) { hibernate(); }
void runLogOff(AppBase*) { logOff(); }
void runReboot(AppBase*) { reboot(); }
void runShutDown(AppBase*) { shutDown(); }

}  // namespace

const Switch kSwitches[] = {
    {u"-install", install},       {u"-uninstall", uninstall}, {u"-suspend", runStandBy},
    {u"-hibernate", runHibernate}, {u"-logoff", runLogOff},    {u"-reboot", runReboot},
    {u"-shutdown", runShutDown},
};
const uint32_t kSwitchCount = sizeof kSwitches / sizeof kSwitches[0];

const Switch* matchSwitch(const StrBuffer* argument) {
  for (uint32_t i = 0; i < kSwitchCount; ++i)
    if (argument->regionMatchesIgnoreCase(0, kSwitches[i].text, 0, -1)) return &kSwitches[i];
  return nullptr;
}

const Switch* findSwitch(const char16_t* argument) {
  StrBuffer* buffer = StrBuffer::acquireText(argument);
  if (!buffer) return nullptr;
  const Switch* found = matchSwitch(buffer);
  buffer->release();
  return found;
}

void runSwitchMode(AppBase* application) {
  StrBuffer* buffer = StrBuffer::acquire();
  if (!buffer) return;
  s::process::commandline::ICommandLine* commandLine = application->getCommandLine();
  // The count is read again before every pass; an unknown argument is skipped without a word.
  for (uint32_t i = 0; commandLine && i < commandLine->getCount(); ++i) {
    buffer->setText(commandLine->getArgument(i));
    if (const Switch* found = matchSwitch(buffer)) found->action(application);
  }
  buffer->release();
}

}  // namespace s::system::vesper
