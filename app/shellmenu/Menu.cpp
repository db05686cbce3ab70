#include "shellmenu/Menu.h"

#include "base/thread/EasyPooler.h"

namespace s::shell::server01 {

S_POOLED_IMPL(Menu, s::thread::EasyPooler::kDefaultLimit)

Menu::Menu() { reset(); }

Menu::~Menu() = default;

void Menu::reset() {
  appId = 0;
  menuId = 0;
  parentId = 0;
  priority = 0;
  appName.clear();
  menuString.clear();
  menuExplanation.clear();
  taskType = 0;
  exePath.clear();
  exeParameter.clear();
  dstPath.clear();
  iconPath.clear();
  folderTitle.clear();
  useDefaultIcon = kNoIcon;
  singleExecutable = false;
  multiExecutable = false;
  multiParameter = false;
  onFile = false;
  onFolder = false;
  onNormalFolderBackground = false;
  onDesktopBackground = false;
  limitByExtension = false;
  extensions.clear();
  targetFolderWithSeparator = false;
  disabled = false;
  withPathParam = true;
  title = false;
  titleNeedFollowers = false;
  bold = false;
  isSeparator = false;
  isFolder = false;
  isTemplate = false;
  isUserDefined = false;
  isGrayed = false;
  isDynamicPopulate = false;
  numOfColumn = 1;
  maxRows = 268435455;
  maxColumnLines = 1;
  useShellIcon = false;
  deLink = false;
  resetForced();
  menuLocalizer = nullptr;
}

void Menu::resetForced() {
  Forced& f = forced;
  f.menuStringForced = false;
  f.menuString.clear();
  f.menuExplanationForced = false;
  f.menuExplanation.clear();
  f.folderTitleForced = false;
  f.folderTitle.clear();
  f.iconPathForced = false;
  f.iconPath.clear();
  f.exePathForced = false;
  f.exePath.clear();
  f.exeParamForced = false;
  f.exeParam.clear();
  // A template that switches a forced flag on forces it set unless it says otherwise.
  f.onFileForced = false;
  f.onFile = true;
  f.onFolderForced = false;
  f.onFolder = true;
  f.onNormalFolderBackgroundForced = false;
  f.onNormalFolderBackground = true;
  f.onDesktopBackgroundForced = false;
  f.onDesktopBackground = true;
  f.multiParameterForced = false;
  f.multiParameter = true;
  f.disabledForced = false;
  f.disabled = true;
  f.withPathParamForced = false;
  f.withPathParam = true;
  f.parentIdForced = false;
  f.parentId = 0;
  f.priorityForced = false;
  f.priority = 0;
  f.limitByExtensionForced = false;
  f.limitByExtension = true;
  f.boldForced = false;
  f.bold = true;
  f.extensionsForced = false;
  f.extensions.clear();
}

}  // namespace s::shell::server01
