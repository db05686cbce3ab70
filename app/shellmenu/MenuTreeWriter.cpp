// The tree writer and the record writer.
#include "base/str/strbuffer/StrBuffer.h"
#include "base/tree/FlexNode.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "reg/win/RegDir.h"
#include "shellmenu/App.h"
#include "shellmenu/AppMenus.h"
#include "shellmenu/BridgeKey.h"
#include "shellmenu/Menu.h"
#include "shellmenu/TemplateWriting.h"
#include "xml/Node.h"

namespace s::shell::server01 {

namespace {

using s::reg::win::RegDir;
using s::str::strbuffer::StrBuffer;

// Gives every item below `node` its parent's MenuID.
void assignParentIds(s::tree::FlexNode* node) {
  Menu* parent = AppMenus::itemOf(node);
  const int32_t parentId = parent ? parent->menuId : 0;
  for (uint32_t i = 0; i < node->childCount(); ++i) {
    s::tree::FlexNode* child = node->childAt(i);
    if (Menu* item = AppMenus::itemOf(child)) item->parentId = parentId;
    assignParentIds(child);
  }
}

// The application's key path, Software\MenuPorter110\Apps\<name>; the caller releases it.
StrBuffer* acquireAppPath(const char16_t* appName) {
  StrBuffer* path = StrBuffer::acquireText(kAppsKey);
  if (!path) return nullptr;
  path->appendChar(u'\\');
  path->appendText(appName);
  return path;
}

// The localizer as one line of XML; the caller releases it (null when there is nothing to export).
StrBuffer* acquireLocalizerText(const s::lang::Localizer* localizer) {
  if (!localizer) return nullptr;
  s::xml::Node* root = localizer->toNode();
  if (!root) return nullptr;
  StrBuffer* text = root->toText();
  root->release();
  return text;
}

}  // namespace

bool writeMenuTree(AppMenus* menus, const char16_t* appName, const char16_t* subKeyName) {
  if (!menus || !appName || !subKeyName) return false;
  s::tree::FlexNode* root = menus->getRoot();
  if (!root) return false;
  if (Menu* rootItem = AppMenus::itemOf(root)) rootItem->menuId = 0;
  assignParentIds(root);
  StrBuffer* path = acquireAppPath(appName);
  if (!path) return false;
  path->appendChar(u'\\');
  path->appendText(subKeyName);
  bool ok = true;
  for (uint32_t i = 0; i < root->childCount(); ++i) ok = writeMenu(path->getText(), root->childAt(i)) && ok;
  path->release();
  return ok;
}

bool writeApp(App* app) {
  if (!app) return false;
  StrBuffer* path = acquireAppPath(app->appName.getText());
  if (!path) return false;
  RegDir* key = RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, path->getText());
  path->release();
  if (!key) return false;
  bool ok = key->setI32(u"AppID", app->appId) == 0;
  ok = key->setString(u"AppName", app->appName.getText()) == 0 && ok;
  ok = key->setBool(u"Usable", app->usable) == 0 && ok;
  ok = key->setBool(u"WithDll", app->withDll) == 0 && ok;
  ok = key->setString(u"DllPath", app->dllPath.getText()) == 0 && ok;
  ok = key->setBool(u"WithLocalizer", app->withLocalizer) == 0 && ok;
  if (app->withLocalizer) {
    StrBuffer* xml = acquireLocalizerText(app->getMenuLocalizer());
    ok = key->setString(u"MenuLocalizer", xml ? xml->getText() : u"") == 0 && ok;
    if (xml) xml->release();
    ok = key->setString(u"SelectedLang", app->selectedLang.getText()) == 0 && ok;
  }
  key->release();
  ok = writeMenuTree(&app->fileFolderMenus, app->appName.getText(), u"menus_FileFolder") && ok;
  ok = writeMenuTree(&app->backgroundMenus, app->appName.getText(), u"menus_Background") && ok;
  return ok;
}

}  // namespace s::shell::server01
