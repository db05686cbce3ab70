#include "app/win/AppBase.h"

#include <framework/WinApp.h>
#include <win/com.h>
#include <win/resource.h>

#include "base/thread/EasyPooler.h"
#include "file/win/PathWin.h"
#include "lang/Localizer.h"
#include "process/commandline/win/CommandLine.h"
#include "reg/MappedData.h"

namespace s::app::win {

using s::file::win::PathWin;
using s::lang::Localizer;
using s::process::commandline::win::CommandLine;

S_POOLED_IMPL(AppBase, s::thread::EasyPooler::kDefaultLimit)

namespace {

const char16_t kEmptyText[] = u"";

// The framework's parameter hook, forwarding each argument to the command-line reader.
class ReaderFeed final : public CCommandLineInfo {
 public:
  explicit ReaderFeed(CommandLine* reader) : reader(reader) {}
  void ParseParam(LPCWSTR param, BOOL flag, BOOL) override { reader->addParameter(param, flag != FALSE); }

 private:
  CommandLine* reader;
};

}  // namespace

AppBase::AppBase() {
  // Every application object keeps COM initialised on the thread that made it, for its whole life.
  CoInitialize(nullptr);
}

AppBase::~AppBase() {
  reset();
  CoUninitialize();
}

void AppBase::reset() {
  workText.freeMemory();
  scratchText.freeMemory();
  softwareType = kFreeware;
  textBase = kTextBase;
  if (commandLine) commandLine->release();
  if (exePath) exePath->release();
  if (exeFolder) exeFolder->release();
  if (localizer) localizer->release();
  if (menuLocalizer) menuLocalizer->release();
  commandLine = nullptr;
  exePath = nullptr;
  exeFolder = nullptr;
  localizer = nullptr;
  menuLocalizer = nullptr;
  // This program has no skin manager; one would be stopped and given back here.
  skinner = nullptr;
  if (settings) {
    if (!saved) settings->save();
    settings->release();
    settings = nullptr;
  }
  saved = false;
  if (textBuffer) textBuffer->release();
  textBuffer = nullptr;
}

s::file::IPath* AppBase::getExePath() const { return exePath; }

s::file::IPath* AppBase::getExeFolder() const { return exeFolder; }

s::process::commandline::ICommandLine* AppBase::getCommandLine() const { return commandLine; }

s::map::IMappedData* AppBase::getSettings() const { return settings; }

void AppBase::parseCommandLine(CWinApp* frameworkApp) {
  if (!frameworkApp) return;
  ReaderFeed feed(commandLine);
  frameworkApp->ParseCommandLine(feed);
}

const char16_t* AppBase::text(int32_t id) const { return localizer ? localizer->text(id) : kEmptyText; }

bool AppBase::initialise(CWinApp* frameworkApp) {
  // Taken again from the pool without a release in between: start from nothing.
  if (commandLine || settings) reset();

  AfxOleInit();
  // COM security with the system's choice of authentication, packet-level integrity and
  // impersonation, as every application object of the library sets it up.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE,
                       nullptr, EOAC_NONE, nullptr);
  AfxEnableControlContainer();

  softwareType = kFreeware;
  textBase = kTextBase;

  commandLine = CommandLine::acquire();
  if (!commandLine) return false;
  parseCommandLine(frameworkApp);

  exePath = PathWin::acquireExecutable();
  exeFolder = exePath ? static_cast<PathWin*>(exePath->acquireParent()) : nullptr;

  localizer = Localizer::acquire();
  if (!localizer) return false;
  localizer->loadFromResource(nullptr, u"IDR_XML", kLanguageResource);

  textBuffer = StrBuffer::acquire();

  settings = static_cast<s::reg::MappedData*>(openRegistrySettings());
  if (!settings) return false;
  settings->setAutoSave(false);
  writeIdentification();
  selectLanguageAtStart();
  // From here on every write is saved at once.
  settings->setAutoSave(true);
  return true;
}

}  // namespace s::app::win
