// The application object's interface: what every window and every start-up step of an application
// asks of the one object that gathers the command line, the executable's paths and resources, the
// localizer, the settings store and the product's identity, and that finds a running copy of itself.
#pragma once

#include <cstdint>

#include <win/user.h>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

class CWinApp;

namespace s::file {
class IPath;
}
namespace s::gui::drawer {
class Skinner;
}
namespace s::image::win {
class BufferedImage;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::process::commandline {
class ICommandLine;
}
namespace s::resource {
class IconGroup;
}

namespace s::app {

class IAppBase : public s::base::IObject, public s::thread::IPoolable {
 public:
  using IObject::destroy;

  virtual const char16_t* getSoftwareType() const = 0;
  virtual s::file::IPath* getExePath() const = 0;
  // The executable's folder; its text ends without a separator, so names are joined with acquireChild.
  virtual s::file::IPath* getExeFolder() const = 0;
  virtual s::process::commandline::ICommandLine* getCommandLine() const = 0;
  virtual s::resource::IconGroup* getIconGroup() const = 0;
  virtual HICON getIcon16() = 0;
  virtual HICON getIcon32() = 0;
  virtual HICON getIcon64() = 0;
  virtual s::resource::IconGroup* getResourceIcon(uint16_t id) = 0;
  virtual int32_t getTextBase() const = 0;
  virtual s::lang::Localizer* getLocalizer() const = 0;
  virtual s::lang::Localizer* getMenuLocalizer() const = 0;
  virtual s::image::win::BufferedImage* getLogo1() const = 0;
  virtual s::image::win::BufferedImage* getLogo2() const = 0;
  virtual s::map::IMappedData* getSettings() const = 0;
  virtual void saveSettings() = 0;
  virtual bool hasSkinner() const = 0;
  virtual s::gui::drawer::Skinner* getSkinner() const = 0;
  // The stored language name, or the English name of the current pack; the store owns the text.
  virtual const char16_t* getLanguageSetting() = 0;
  virtual void setLanguageSetting(const char16_t* name) = 0;
  virtual const char16_t* getSkinSetting() = 0;
  virtual void setSkinSetting(const char16_t* name) = 0;
  // Finds another running copy of this executable and, with `activate`, wakes its main window.
  // True when one was found.
  virtual bool notifyRunningInstance(bool activate, bool sendExtra, bool useLocalizer) = 0;
  // A new store over the XML file "savedata/SaveData.xml" beside the executable; the caller releases it.
  virtual s::map::IMappedData* openXmlSettings() = 0;
  // The registry store of the product's settings (HKEY_CURRENT_USER\Software\Tarn\<product>\SaveData).
  virtual s::map::IMappedData* openRegistrySettings() = 0;
  // Opens the product's web page once after a silent installation left its marker.
  virtual void openPageAfterSilentInstall() = 0;
  // Fills the object from the framework's application object; false when memory ran out.
  virtual bool initialise(CWinApp* frameworkApp) = 0;
};

}  // namespace s::app
