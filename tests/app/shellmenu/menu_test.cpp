// Items in memory: the defaults of a new item, the four presets, texts from a menu localizer, and the
// forced pairs that only template items write.
#include <gtest/gtest.h>

#include <win/module.h>

#include <string>
#include <vector>

#include "ShellMenuFixture.h"
#include "base/tree/FlexNode.h"
#include "lang/Localizer.h"
#include "shellmenu/AppMenus.h"
#include "shellmenu/Menu.h"
#include "shellmenu/TemplateWriting.h"

namespace {

using s::shell::server01::AppMenus;
using s::shell::server01::Menu;

std::u16string textOf(s::str::strbuffer::StrBuffer& buffer) { return buffer.getText(); }

TEST(MenuTest, NewItemHasTheDefaultsOfTheFieldTable) {
  Menu* m = Menu::acquire();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->useDefaultIcon, -1);
  EXPECT_TRUE(m->withPathParam);
  EXPECT_EQ(m->numOfColumn, 1);
  EXPECT_EQ(m->maxRows, 268435455);
  EXPECT_EQ(m->maxColumnLines, 1);
  EXPECT_FALSE(m->isTemplate);
  EXPECT_EQ(m->extensions.size(), 0u);
  EXPECT_TRUE(m->forced.onFile);
  EXPECT_FALSE(m->forced.onFileForced);
  EXPECT_EQ(m->forced.parentId, 0);
  // A released item comes back with the defaults again.
  m->isSeparator = true;
  m->menuString.appendText(u"x");
  m->release();
  m = Menu::acquire();
  EXPECT_FALSE(m->isSeparator);
  EXPECT_EQ(m->menuString.length(), 0u);
  m->release();
}

TEST(MenuTest, PresetsFillTheirKind) {
  Menu* action = Menu::acquireAction(199804000, u"Reboot", u"Reboot the System", u"/bin/vesper", u"-reboot", nullptr);
  Menu* folder = Menu::acquireFolder(u"System...", 29, u"/b.dll,29", 199000000);
  Menu* separator = Menu::acquireSeparator(199802500, Menu::kVesperAppId);
  Menu* title = Menu::acquireTitle();
  struct Row {
    Menu* item;
    int32_t appId, menuId, priority, useDefaultIcon;
    bool folder, separator, title, grayed, single, desktop, onFile;
    std::u16string menuString, explanation, exePath, parameter, icon;
  };
  const Row rows[] = {
      {action, 1000100000, 199804000, 199804000, -1, false, false, false, false, true, true, false, u"Reboot",
       u"Reboot the System", u"/bin/vesper", u"-reboot", u""},
      {folder, 0, 199000000, 199000000, 29, true, false, false, false, false, false, false, u"System...", u"System...",
       u"", u"", u"/b.dll,29"},
      {separator, 1000100000, 199802500, 199802500, -1, false, true, false, false, false, false, false, u"", u"", u"",
       u"", u""},
      {title, 0, 199800000, 199800000, -1, false, false, true, true, true, true, true, u"Vesper", u"Vesper", u"", u"",
       u""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.menuId);
    ASSERT_NE(r.item, nullptr);
    EXPECT_EQ(r.item->appId, r.appId);
    EXPECT_EQ(r.item->menuId, r.menuId);
    EXPECT_EQ(r.item->priority, r.priority);
    EXPECT_EQ(r.item->useDefaultIcon, r.useDefaultIcon);
    EXPECT_EQ(r.item->isFolder, r.folder);
    EXPECT_EQ(r.item->isSeparator, r.separator);
    EXPECT_EQ(r.item->title && r.item->titleNeedFollowers, r.title);
    EXPECT_EQ(r.item->isGrayed, r.grayed);
    EXPECT_EQ(r.item->singleExecutable, r.single);
    EXPECT_EQ(r.item->onDesktopBackground, r.desktop);
    EXPECT_EQ(r.item->onFile, r.onFile);
    EXPECT_EQ(textOf(r.item->menuString), r.menuString);
    EXPECT_EQ(textOf(r.item->menuExplanation), r.explanation);
    EXPECT_EQ(textOf(r.item->exePath), r.exePath);
    EXPECT_EQ(textOf(r.item->exeParameter), r.parameter);
    EXPECT_EQ(textOf(r.item->iconPath), r.icon);
    r.item->release();
  }
}

// The three context-menu packs number their texts MenuID x 10: short texts (135), long texts (136),
// the folder title alone (137). None has the x 10 + 1 or + 2 texts, so the explanation repeats the
// text and the folder title stays.
TEST(MenuTest, LanguageEventTakesTheTextsNumberedAfterTheMenuId) {
  struct Row {
    uint16_t pack;
    int32_t menuId;
    std::u16string menuString, explanation, folderTitle;
  };
  const Row rows[] = {
      {135, 199805000, u"Shutdown", u"Shutdown", u"kept"},
      {136, 199805000, u"Shutdown the System", u"Shutdown the System", u"kept"},
      {137, 199000000, u"System", u"System", u"kept"},
      {135, 123, u"", u"", u"kept"},  // no texts of that number: both emptied, the title kept
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.pack);
    s::lang::Localizer* localizer = s::lang::Localizer::acquire();
    localizer->loadFromResource(GetModuleHandleW(nullptr), u"IDR_XML", r.pack);
    localizer->selectByName(u"English");
    Menu* m = Menu::acquire();
    m->menuId = r.menuId;
    m->menuString.appendText(u"old");
    m->folderTitle.appendText(u"kept");
    m->setLocalizer(localizer);
    m->onEvent(localizer, 0);
    EXPECT_EQ(textOf(m->menuString), r.menuString);
    EXPECT_EQ(textOf(m->menuExplanation), r.explanation);
    EXPECT_EQ(textOf(m->folderTitle), r.folderTitle);
    // Another source is not the item's localizer and changes nothing.
    m->menuString.clear();
    m->onEvent(m, 0);
    EXPECT_EQ(m->menuString.length(), 0u);
    m->release();
    localizer->release();
  }
}

TEST(MenuTest, LanguageEventUsesTheLongTextAndFolderTitleWhenPresent) {
  s::lang::Localizer* localizer = s::lang::Localizer::acquire();
  localizer->loadFromText(
      u"<lang><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/></languages>"
      u"<entries><entry id=\"50\"><eng>Short</eng></entry><entry id=\"51\"><eng>Long</eng></entry>"
      u"<entry id=\"52\"><eng>Title</eng></entry></entries></lang>");
  Menu* m = Menu::acquire();
  m->menuId = 5;
  m->setLocalizer(localizer);
  m->onEvent(localizer, 0);
  EXPECT_EQ(textOf(m->menuString), u"Short");
  EXPECT_EQ(textOf(m->menuExplanation), u"Long");
  EXPECT_EQ(textOf(m->folderTitle), u"Title");
  m->release();
  localizer->release();
}

class MenuWriterTest : public testing_shellmenu::ShellMenuTest {};

TEST_F(MenuWriterTest, TemplateItemAddsItsForcedPairsAfterTheFortyValues) {
  AppMenus* menus = AppMenus::acquire();
  Menu* item = Menu::acquire();
  item->menuId = 5;
  item->isTemplate = true;
  item->forced.menuStringForced = true;
  item->forced.menuString.appendText(u"Forced text");
  item->forced.boldForced = true;
  item->forced.priorityForced = true;
  item->forced.priority = 9;
  ASSERT_NE(AppMenus::appendItem(menus->getRoot(), item), nullptr);
  ASSERT_TRUE(s::shell::server01::writeMenuTree(menus, u"Other", u"menus_FileFolder"));
  menus->release();
  const std::string key = "Software\\MenuPorter110\\Apps\\Other\\menus_FileFolder\\5";
  auto tree = query(key);
  std::vector<std::string> names;
  for (const auto& v : tree["HKEY_CURRENT_USER\\" + key]) names.push_back(v.name);
  ASSERT_EQ(names.size(), 40u + 18u + 3u);
  const std::vector<std::string> tail(names.begin() + 40, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "MenuStringForcedByTemplate", "MenuStringForced", "MenuExplanationForcedByTemplate",
                      "FolderTitleForcedByTemplate", "IconPathForcedByTemplate", "ExePathForcedByTemplate",
                      "ExeParamForcedByTemplate", "OnFileForcedByTemplate", "OnFolderForcedByTemplate",
                      "OnNormalFolderBackgroundForcedByTemplate", "OnDesktopBackgroundForcedByTemplate",
                      "MultiParameterForcedByTemplate", "DisabledForcedByTemplate", "WithPathParamForcedByTemplate",
                      "ParentIDForcedByTemplate", "PriorityForcedByTemplate", "PriorityForced",
                      "LimitByExtensionForcedByTemplate", "BoldForcedByTemplate", "BoldForced",
                      "ExtensionsForcedByTemplate"}));
  EXPECT_EQ(valueOf(tree, key, "MenuStringForced"), "Forced text");
  EXPECT_EQ(valueOf(tree, key, "BoldForced"), "0x1");
  EXPECT_EQ(valueOf(tree, key, "PriorityForced"), "0x9");
}

TEST_F(MenuWriterTest, TreeWriterGivesEveryItemItsParentsMenuId) {
  AppMenus* menus = AppMenus::acquire();
  auto* outer = AppMenus::appendItem(menus->getRoot(), Menu::acquireFolder(u"A", 1, nullptr, 10));
  auto* inner = AppMenus::appendItem(outer, Menu::acquireFolder(u"B", 1, nullptr, 20));
  Menu* leaf = Menu::acquireSeparator(30, 0);
  leaf->parentId = 999;  // whatever it held is replaced
  AppMenus::appendItem(inner, leaf);
  ASSERT_TRUE(s::shell::server01::writeMenuTree(menus, u"Other", u"menus_Background"));
  menus->release();
  const std::string base = "Software\\MenuPorter110\\Apps\\Other\\menus_Background";
  auto tree = query(base);
  const std::pair<std::string, std::string> rows[] = {
      {base + "\\10", "0x0"}, {base + "\\10\\20", "0xa"}, {base + "\\10\\20\\30", "0x14"}};
  for (const auto& [key, parent] : rows) EXPECT_EQ(valueOf(tree, key, "ParentID"), parent) << key;
}

}  // namespace
