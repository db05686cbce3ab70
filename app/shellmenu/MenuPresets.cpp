// The four kinds of item a template is built from.
#include "shellmenu/Menu.h"

namespace s::shell::server01 {

namespace {

void setText(s::str::strbuffer::StrBuffer& field, const char16_t* text) {
  field.clear();
  if (text) field.appendText(text);
}

}  // namespace

Menu* Menu::acquireAction(int32_t number, const char16_t* shortText, const char16_t* longText,
                          const char16_t* executable, const char16_t* parameter, const char16_t* icon) {
  Menu* item = acquire();
  if (!item) return nullptr;
  item->appId = kVesperAppId;
  item->menuId = number;
  item->priority = number;
  setText(item->menuString, shortText);
  setText(item->menuExplanation, longText);
  item->taskType = 0;
  item->singleExecutable = true;
  item->onDesktopBackground = true;
  item->multiExecutable = false;
  item->multiParameter = false;
  item->onFile = false;
  item->onFolder = false;
  item->onNormalFolderBackground = false;
  setText(item->iconPath, icon);
  setText(item->exePath, executable);
  setText(item->exeParameter, parameter);
  item->useDefaultIcon = kNoIcon;
  item->targetFolderWithSeparator = false;
  item->deLink = false;
  return item;
}

Menu* Menu::acquireFolder(const char16_t* text, int32_t defaultIcon, const char16_t* icon, int32_t number) {
  Menu* item = acquire();
  if (!item) return nullptr;
  item->appId = 0;
  item->menuId = number;
  item->priority = number;
  item->isFolder = true;
  setText(item->menuString, text);
  setText(item->menuExplanation, text);
  setText(item->iconPath, icon);
  item->useDefaultIcon = defaultIcon;
  item->numOfColumn = 1;
  return item;
}

Menu* Menu::acquireSeparator(int32_t number, int32_t appIdValue) {
  Menu* item = acquire();
  if (!item) return nullptr;
  item->menuId = number;
  item->priority = number;
  item->appId = appIdValue;
  item->isSeparator = true;
  return item;
}

Menu* Menu::acquireTitle() {
  Menu* item = acquire();
  if (!item) return nullptr;
  item->appId = 0;
  item->menuId = 199800000;
  item->priority = 199800000;
  item->isGrayed = true;
  item->title = true;
  item->titleNeedFollowers = true;
  setText(item->menuString, u"Vesper");
  setText(item->menuExplanation, u"Vesper");
  item->singleExecutable = true;
  item->multiExecutable = true;
  item->onFile = true;
  item->onFolder = true;
  item->onNormalFolderBackground = true;
  item->onDesktopBackground = true;
  item->taskType = 0;
  item->multiParameter = false;
  return item;
}

}  // namespace s::shell::server01
