// The item writer: the forty values of an item in their fixed order, then, for a template item, the
// pairs of what it forces.
#include "base/str/strbuffer/StrBuffer.h"
#include "base/tree/FlexNode.h"
#include "reg/win/RegDir.h"
#include "shellmenu/AppMenus.h"
#include "shellmenu/Menu.h"
#include "shellmenu/TemplateWriting.h"

namespace s::shell::server01 {

namespace {

using s::reg::win::RegDir;
using s::str::strbuffer::StrBuffer;

// Collects the statuses of a run of writes into one key.
class ValueWriter {
 public:
  explicit ValueWriter(RegDir* key) : key(key) {}

  void number(const char16_t* name, int32_t value) { note(key->setI32(name, value)); }
  void flag(const char16_t* name, bool value) { note(key->setBool(name, value)); }
  void text(const char16_t* name, StrBuffer& value) { note(key->setString(name, value.getText())); }
  void list(const char16_t* name, const s::str::strarray::StrArray& value) { note(key->setStringArray(name, &value)); }

  // A switch and, when it is on, the value it forces.
  void forcedText(const char16_t* switchName, bool on, const char16_t* name, StrBuffer& value) {
    flag(switchName, on);
    if (on) text(name, value);
  }
  void forcedFlag(const char16_t* switchName, bool on, const char16_t* name, bool value) {
    flag(switchName, on);
    if (on) flag(name, value);
  }
  void forcedNumber(const char16_t* switchName, bool on, const char16_t* name, int32_t value) {
    flag(switchName, on);
    if (on) number(name, value);
  }

  bool allWritten() const { return ok; }

 private:
  void note(int32_t status) { ok = ok && status == 0; }

  RegDir* key;
  bool ok = true;
};

void writeFields(ValueWriter& w, Menu& m) {
  w.number(u"AppID", m.appId);
  w.number(u"MenuID", m.menuId);
  w.number(u"ParentID", m.parentId);
  w.number(u"Priority", m.priority);
  w.text(u"AppName", m.appName);
  w.text(u"MenuString", m.menuString);
  w.text(u"MenuExplanation", m.menuExplanation);
  w.number(u"TaskType", m.taskType);
  w.text(u"ExePath", m.exePath);
  w.text(u"ExeParameter", m.exeParameter);
  w.text(u"DstPath", m.dstPath);
  w.text(u"IconPath", m.iconPath);
  w.text(u"FolderTitle", m.folderTitle);
  w.number(u"UseDefaultIcon", m.useDefaultIcon);
  w.flag(u"SingleExecutable", m.singleExecutable);
  w.flag(u"MultiExecutable", m.multiExecutable);
  w.flag(u"MultiParameter", m.multiParameter);
  w.flag(u"OnFile", m.onFile);
  w.flag(u"OnFolder", m.onFolder);
  w.flag(u"OnNormalFolderBackground", m.onNormalFolderBackground);
  w.flag(u"OnDesktopBackground", m.onDesktopBackground);
  w.flag(u"LimitByExtension", m.limitByExtension);
  w.list(u"Extensions", m.extensions);
  w.flag(u"TargetFolderWithSeparator", m.targetFolderWithSeparator);
  w.flag(u"Disabled", m.disabled);
  w.flag(u"WithPathParam", m.withPathParam);
  w.flag(u"Title", m.title);
  w.flag(u"TitleNeedFollowers", m.titleNeedFollowers);
  w.flag(u"Bold", m.bold);
  w.flag(u"IsSeparator", m.isSeparator);
  w.flag(u"IsFolder", m.isFolder);
  w.flag(u"IsTemplate", m.isTemplate);
  w.flag(u"IsUserDefined", m.isUserDefined);
  w.flag(u"IsGrayed", m.isGrayed);
  w.flag(u"IsDynamicPopulate", m.isDynamicPopulate);
  w.number(u"NumOfColumn", m.numOfColumn);
  w.number(u"MaxRows", m.maxRows);
  w.number(u"MaxColumnLines", m.maxColumnLines);
  w.flag(u"UseShellIcon", m.useShellIcon);
  w.flag(u"DeLink", m.deLink);
}

void writeForced(ValueWriter& w, Menu::Forced& f) {
  w.forcedText(u"MenuStringForcedByTemplate", f.menuStringForced, u"MenuStringForced", f.menuString);
  w.forcedText(u"MenuExplanationForcedByTemplate", f.menuExplanationForced, u"MenuExplanationForced",
               f.menuExplanation);
  w.forcedText(u"FolderTitleForcedByTemplate", f.folderTitleForced, u"FolderTitleForced", f.folderTitle);
  w.forcedText(u"IconPathForcedByTemplate", f.iconPathForced, u"IconPathForced", f.iconPath);
  w.forcedText(u"ExePathForcedByTemplate", f.exePathForced, u"ExePathForced", f.exePath);
  w.forcedText(u"ExeParamForcedByTemplate", f.exeParamForced, u"ExeParamForced", f.exeParam);
  w.forcedFlag(u"OnFileForcedByTemplate", f.onFileForced, u"OnFileForced", f.onFile);
  w.forcedFlag(u"OnFolderForcedByTemplate", f.onFolderForced, u"OnFolderForced", f.onFolder);
  w.forcedFlag(u"OnNormalFolderBackgroundForcedByTemplate", f.onNormalFolderBackgroundForced,
               u"OnNormalFolderBackgroundForced", f.onNormalFolderBackground);
  w.forcedFlag(u"OnDesktopBackgroundForcedByTemplate", f.onDesktopBackgroundForced, u"OnDesktopBackgroundForced",
               f.onDesktopBackground);
  w.forcedFlag(u"MultiParameterForcedByTemplate", f.multiParameterForced, u"MultiParameterForced",
               f.multiParameter);
  w.forcedFlag(u"DisabledForcedByTemplate", f.disabledForced, u"DisabledForced", f.disabled);
  w.forcedFlag(u"WithPathParamForcedByTemplate", f.withPathParamForced, u"WithPathParamForced", f.withPathParam);
  w.forcedNumber(u"ParentIDForcedByTemplate", f.parentIdForced, u"ParentIDForced", f.parentId);
  w.forcedNumber(u"PriorityForcedByTemplate", f.priorityForced, u"PriorityForced", f.priority);
  w.forcedFlag(u"LimitByExtensionForcedByTemplate", f.limitByExtensionForced, u"LimitByExtensionForced",
               f.limitByExtension);
  w.forcedFlag(u"BoldForcedByTemplate", f.boldForced, u"BoldForced", f.bold);
  w.flag(u"ExtensionsForcedByTemplate", f.extensionsForced);
  if (f.extensionsForced) w.list(u"ExtensionsForced", f.extensions);
}

}  // namespace

bool writeMenu(const char16_t* parentPath, s::tree::FlexNode* node) {
  Menu* item = AppMenus::itemOf(node);
  if (!item || !parentPath) return false;
  StrBuffer* path = StrBuffer::acquireText(parentPath);
  if (!path) return false;
  path->appendChar(u'\\');
  path->appendS64(item->menuId);
  RegDir* key = RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, path->getText());
  bool ok = key != nullptr;
  if (key) {
    ValueWriter writer(key);
    writeFields(writer, *item);
    if (item->isTemplate) writeForced(writer, item->forced);
    ok = writer.allWritten();
    key->release();
  }
  for (uint32_t i = 0; i < node->childCount(); ++i) ok = writeMenu(path->getText(), node->childAt(i)) && ok;
  path->release();
  return ok;
}

}  // namespace s::shell::server01
