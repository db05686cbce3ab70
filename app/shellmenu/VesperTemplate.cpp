#include "shellmenu/VesperTemplate.h"

#include "shellmenu/App.h"
#include "shellmenu/BridgeKey.h"
#include "shellmenu/IconTexts.h"
#include "shellmenu/Menu.h"

namespace s::shell::server01 {

namespace {

constexpr int32_t kFolderIcon = 29;
constexpr int32_t kLogOffIcon = 211;
constexpr int32_t kShutdownIcon = 215;

struct ActionRow {
  int32_t number;
  const char16_t* shortText;
  const char16_t* longText;
  const char16_t* parameter;
  int32_t shellIcon;  // -1: none
};

constexpr ActionRow kActions[] = {
    {199801000, u"Suspend", u"Suspend the System", u"-suspend", -1},
    {199802000, u"Hibernate", u"Hibernate the System", u"-hibernate", -1},
    {199803000, u"Log Off", u"Log Off from the System", u"-logoff", kLogOffIcon},
    {199804000, u"Reboot", u"Reboot the System", u"-reboot", -1},
    {199805000, u"Shutdown", u"Shutdown the System", u"-shutdown", kShutdownIcon},
};

Menu* action(int32_t index, const char16_t* executable) {
  const ActionRow& row = kActions[index];
  const char16_t* icon = row.shellIcon >= 0 ? systemShellIcon(row.shellIcon) : nullptr;
  return Menu::acquireAction(row.number, row.shortText, row.longText, executable, row.parameter, icon);
}

// The folder's children in menu order: title, suspend, hibernate, separator, log off, separator,
// reboot, shutdown.
bool fillFolder(AppMenus::FlexNode* folder, const char16_t* executable) {
  bool ok = AppMenus::appendItem(folder, Menu::acquireTitle()) != nullptr;
  ok = AppMenus::appendItem(folder, action(0, executable)) && ok;
  ok = AppMenus::appendItem(folder, action(1, executable)) && ok;
  ok = AppMenus::appendItem(folder, Menu::acquireSeparator(199802500, Menu::kVesperAppId)) && ok;
  ok = AppMenus::appendItem(folder, action(2, executable)) && ok;
  ok = AppMenus::appendItem(folder, Menu::acquireSeparator(199803500, Menu::kVesperAppId)) && ok;
  ok = AppMenus::appendItem(folder, action(3, executable)) && ok;
  ok = AppMenus::appendItem(folder, action(4, executable)) && ok;
  return ok;
}

}  // namespace

bool buildVesperTemplate(App* app, const char16_t* executable) {
  if (!app) return false;
  app->appName.clear();
  app->appName.appendText(kVesperAppName);
  app->appId = Menu::kVesperAppId;
  app->usable = true;
  app->withDll = false;
  app->dllPath.clear();
  // The file-and-folder tree is the root alone; the background tree carries the menu.
  if (!app->fileFolderMenus.getRoot()) return false;
  AppMenus::FlexNode* root = app->backgroundMenus.getRoot();
  if (!root) return false;
  bool ok = AppMenus::appendItem(root, Menu::acquireSeparator(194000000, 0)) != nullptr;
  AppMenus::FlexNode* folder =
      AppMenus::appendItem(root, Menu::acquireFolder(u"System...", kFolderIcon, bridgeIcon(kFolderIcon), 199000000));
  return folder && fillFolder(folder, executable) && ok;
}

}  // namespace s::shell::server01
