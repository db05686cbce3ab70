// One item of a context-menu template: an action, a folder, a separator or a title, with every
// field the bridge reads from the registry. Items are made by the presets, hung into a menu tree and
// written by the item writer; an item with a menu localizer takes its texts from it when told of a
// language change.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/str/strarray/StrArray.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/IPoolable.h"
#include "gui/events/IEventListener.h"

namespace s::lang {
class Localizer;
}

namespace s::shell::server01 {

class Menu final : public s::base::IObject, public s::thread::IPoolable, public s::gui::events::IEventListener {
  S_CLASS_NAME(u"s_shell_server01_Menu")
  S_POOLED(Menu)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using StrArray = s::str::strarray::StrArray;
  using IObject::destroy;

  // The AppID of this program's items.
  static constexpr int32_t kVesperAppId = 1000100000;
  // UseDefaultIcon of an item without a default icon.
  static constexpr int32_t kNoIcon = -1;

  Menu();
  ~Menu() override;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  // Back to the defaults of a new item; the localizer is forgotten (not owned).
  void reset() override;

  // The presets: pooled items filled as their kind requires; null when memory runs out. A null
  // icon leaves IconPath empty.
  static Menu* acquireAction(int32_t number, const char16_t* shortText, const char16_t* longText,
                             const char16_t* executable, const char16_t* parameter, const char16_t* icon);
  static Menu* acquireFolder(const char16_t* text, int32_t defaultIcon, const char16_t* icon, int32_t number);
  static Menu* acquireSeparator(int32_t number, int32_t appId);
  static Menu* acquireTitle();

  // The localizer the texts come from (not owned; null for none).
  void setLocalizer(s::lang::Localizer* localizer) { menuLocalizer = localizer; }
  s::lang::Localizer* getLocalizer() const { return menuLocalizer; }
  // The localizer's language event: reloads MenuString, MenuExplanation and FolderTitle from the
  // texts numbered MenuID x 10, x 10 + 1 and x 10 + 2.
  int32_t onEvent(s::base::IObject* source, int32_t type) override;

  // The fields, written in this order by the item writer.
  int32_t appId;
  int32_t menuId;
  int32_t parentId;
  int32_t priority;
  StrBuffer appName;
  StrBuffer menuString;
  StrBuffer menuExplanation;
  int32_t taskType;
  StrBuffer exePath;
  StrBuffer exeParameter;
  StrBuffer dstPath;
  StrBuffer iconPath;
  StrBuffer folderTitle;
  int32_t useDefaultIcon;
  bool singleExecutable;
  bool multiExecutable;
  bool multiParameter;
  bool onFile;
  bool onFolder;
  bool onNormalFolderBackground;
  bool onDesktopBackground;
  bool limitByExtension;
  StrArray extensions;
  bool targetFolderWithSeparator;
  bool disabled;
  bool withPathParam;
  bool title;
  bool titleNeedFollowers;
  bool bold;
  bool isSeparator;
  bool isFolder;
  bool isTemplate;
  bool isUserDefined;
  bool isGrayed;
  bool isDynamicPopulate;
  int32_t numOfColumn;
  int32_t maxRows;
  int32_t maxColumnLines;
  bool useShellIcon;
  bool deLink;

  // What a template item forces on the items made from it, each with its switch; written only for
  // templates.
  struct Forced {
    bool menuStringForced;
    StrBuffer menuString;
    bool menuExplanationForced;
    StrBuffer menuExplanation;
    bool folderTitleForced;
    StrBuffer folderTitle;
    bool iconPathForced;
    StrBuffer iconPath;
    bool exePathForced;
    StrBuffer exePath;
    bool exeParamForced;
    StrBuffer exeParam;
    bool onFileForced;
    bool onFile;
    bool onFolderForced;
    bool onFolder;
    bool onNormalFolderBackgroundForced;
    bool onNormalFolderBackground;
    bool onDesktopBackgroundForced;
    bool onDesktopBackground;
    bool multiParameterForced;
    bool multiParameter;
    bool disabledForced;
    bool disabled;
    bool withPathParamForced;
    bool withPathParam;
    bool parentIdForced;
    int32_t parentId;
    bool priorityForced;
    int32_t priority;
    bool limitByExtensionForced;
    bool limitByExtension;
    bool boldForced;
    bool bold;
    bool extensionsForced;
    StrArray extensions;
  } forced;

 private:
  void resetForced();

  s::lang::Localizer* menuLocalizer = nullptr;
};

}  // namespace s::shell::server01
