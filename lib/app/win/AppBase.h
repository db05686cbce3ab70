// The application object of an application built on the library: one per process, taken from its
// pool by start-up and given back when the process ends. It reads the command line, knows the
// executable's path and folder, loads the built-in language packs, keeps the settings store in the
// registry with the product's identification values and the chosen language, opens the product's page
// after a silent installation and finds (and wakes) a copy of the program that is already running.
// Icons and logos answer none: the executable carries no images yet.
#pragma once

#include <cstdint>

#include "app/IAppBase.h"
#include "base/str/strbuffer/StrBuffer.h"

namespace s::file::win {
class PathWin;
}
namespace s::process::commandline::win {
class CommandLine;
}
namespace s::reg {
class MappedData;
}

namespace s::app::win {

class AppBase final : public IAppBase {
  S_CLASS_NAME(u"s_app_win_AppBase")
  S_POOLED(AppBase)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  static constexpr const char16_t* kFreeware = u"Freeware";
  // The language entry of the product title; the product's other texts are numbered from it.
  static constexpr int32_t kTextBase = 500000;
  // The language entry of the product's registry key name ("Tarn Vesper").
  static constexpr int32_t kProductKeyText = 300000;
  // The language-pack resource of the program.
  static constexpr uint16_t kLanguageResource = 130;

  AppBase();
  ~AppBase() override;
  AppBase(const AppBase&) = delete;
  AppBase& operator=(const AppBase&) = delete;

  // Gives back everything the object holds, saving the settings first when nobody saved them.
  void reset() override;

  const char16_t* getSoftwareType() const override { return softwareType; }
  s::file::IPath* getExePath() const override;
  s::file::IPath* getExeFolder() const override;
  s::process::commandline::ICommandLine* getCommandLine() const override;
  s::resource::IconGroup* getIconGroup() const override { return nullptr; }
  HICON getIcon16() override { return nullptr; }
  HICON getIcon32() override { return nullptr; }
  HICON getIcon64() override { return nullptr; }
  s::resource::IconGroup* getResourceIcon(uint16_t) override { return nullptr; }
  int32_t getTextBase() const override { return textBase; }
  s::lang::Localizer* getLocalizer() const override { return localizer; }
  s::lang::Localizer* getMenuLocalizer() const override { return menuLocalizer; }
  s::image::win::BufferedImage* getLogo1() const override { return nullptr; }
  s::image::win::BufferedImage* getLogo2() const override { return nullptr; }
  s::map::IMappedData* getSettings() const override;
  void saveSettings() override;
  bool hasSkinner() const override { return skinner != nullptr; }
  s::gui::drawer::Skinner* getSkinner() const override { return skinner; }
  const char16_t* getLanguageSetting() override;
  void setLanguageSetting(const char16_t* name) override;
  const char16_t* getSkinSetting() override;
  void setSkinSetting(const char16_t* name) override;
  bool notifyRunningInstance(bool activate, bool sendExtra, bool useLocalizer) override;
  s::map::IMappedData* openXmlSettings() override;
  s::map::IMappedData* openRegistrySettings() override;
  void openPageAfterSilentInstall() override;
  bool initialise(CWinApp* frameworkApp) override;

  // The text of a language entry in the current pack (the empty text without a localizer).
  const char16_t* text(int32_t id) const;

 private:
  // Lets the framework hand every argument of the process to the command-line reader.
  void parseCommandLine(CWinApp* frameworkApp);
  // "Software\Tarn\<product key>" into `out`, with `tail` appended.
  void productKeyText(StrBuffer* out, const char16_t* tail) const;
  // Writes the identification values into the settings.
  void writeIdentification();
  // Selects the stored language and corrects a stored name that no pack carries.
  void selectLanguageAtStart();
  // The pid of another process running this executable, or 0.
  uint32_t findRunningInstance();
  // Sends the wake-up message to the other process's main window, one search per pack.
  void wakeRunningInstance(uint32_t processId, bool sendExtra, bool useLocalizer);

  StrBuffer workText;
  StrBuffer scratchText;
  const char16_t* softwareType = kFreeware;
  int32_t textBase = kTextBase;
  s::process::commandline::win::CommandLine* commandLine = nullptr;
  s::file::win::PathWin* exePath = nullptr;
  s::file::win::PathWin* exeFolder = nullptr;
  s::lang::Localizer* localizer = nullptr;
  s::lang::Localizer* menuLocalizer = nullptr;
  s::gui::drawer::Skinner* skinner = nullptr;
  bool saved = false;
  s::reg::MappedData* settings = nullptr;
  StrBuffer* textBuffer = nullptr;
};

}  // namespace s::app::win
