// An application's record in the bridge's template area: its identity, whether the bridge may show
// its menus, the optional menu localizer, and its two menu trees.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/IPoolable.h"
#include "shellmenu/AppMenus.h"

namespace s::lang {
class Localizer;
}

namespace s::shell::server01 {

class App final : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_shell_server01_App")
  S_POOLED(App)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  App();
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // A new record: usable, without a module, a localizer or items; the localizer is released.
  void reset() override;

  // Takes ownership of `localizer` (the previous one is released); null removes it.
  void setMenuLocalizer(s::lang::Localizer* localizer);
  s::lang::Localizer* getMenuLocalizer() const { return menuLocalizer; }

  int32_t appId = 0;
  StrBuffer appName;
  bool usable = true;
  bool withDll = false;
  StrBuffer dllPath;
  AppMenus fileFolderMenus;
  AppMenus backgroundMenus;
  bool withLocalizer = false;
  StrBuffer selectedLang;

 private:
  s::lang::Localizer* menuLocalizer = nullptr;
};

}  // namespace s::shell::server01
