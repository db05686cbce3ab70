#include "shellmenu/App.h"

#include "base/thread/EasyPooler.h"
#include "lang/Localizer.h"

namespace s::shell::server01 {

S_POOLED_IMPL(App, s::thread::EasyPooler::kDefaultLimit)

App::App() = default;

App::~App() { setMenuLocalizer(nullptr); }

void App::reset() {
  appId = 0;
  appName.clear();
  usable = true;
  withDll = false;
  dllPath.clear();
  fileFolderMenus.reset();
  backgroundMenus.reset();
  withLocalizer = false;
  selectedLang.clear();
  setMenuLocalizer(nullptr);
}

void App::setMenuLocalizer(s::lang::Localizer* localizer) {
  if (menuLocalizer && menuLocalizer != localizer) menuLocalizer->release();
  menuLocalizer = localizer;
}

}  // namespace s::shell::server01
