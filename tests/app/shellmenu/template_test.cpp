// The template as it reaches the registry: layout, the values of every item, the record and its
// menu localizer, rewriting and withdrawal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellMenuFixture.h"
#include "reg/win/RegDir.h"
#include "shellmenu/TemplateWriter.h"

namespace {

using s::shell::server01::withdrawTemplate;
using s::shell::server01::writeTemplate;
using testing_shellmenu::RegTree;
using testing_shellmenu::RegValue;

constexpr char kApp[] = "Software\\MenuPorter110\\Apps\\Vesper";
constexpr char kBackground[] = "Software\\MenuPorter110\\Apps\\Vesper\\menus_Background";
constexpr char kFolder[] = "Software\\MenuPorter110\\Apps\\Vesper\\menus_Background\\199000000";

class TemplateTest : public testing_shellmenu::ShellMenuTest {
 protected:
  static std::string item(const std::string& menuId) { return std::string(kFolder) + "\\" + menuId; }
};

TEST_F(TemplateTest, BackgroundTreeHoldsTheSeparatorAndTheSystemFolderWithItsEightItems) {
  ASSERT_TRUE(writeTemplate(nullptr));
  RegTree tree = query("Software\\MenuPorter110");
  EXPECT_EQ(subKeysOf(tree, kBackground), (std::vector<std::string>{"194000000", "199000000"}));
  EXPECT_EQ(subKeysOf(tree, kFolder),
            (std::vector<std::string>{"199800000", "199801000", "199802000", "199802500", "199803000", "199803500",
                                      "199804000", "199805000"}));
  // The file-and-folder tree has its root alone, and the root is never written.
  EXPECT_EQ(subKeysOf(tree, kApp), (std::vector<std::string>{"menus_Background"}));
}

TEST_F(TemplateTest, EveryItemCarriesItsKindTextsSwitchAndParent) {
  ASSERT_TRUE(writeTemplate(nullptr));
  RegTree tree = query("Software\\MenuPorter110");
  const std::string exe = testing_shellmenu::ownExecutable();
  const std::string logOffIcon = systemDir + "\\shell32.dll,211";
  const std::string shutdownIcon = systemDir + "\\shell32.dll,215";
  struct Row {
    std::string key, appId, parentId, menuString, explanation, exePath, parameter, iconPath, separator, title;
  };
  const std::string bg = kBackground;
  const Row rows[] = {
      {bg + "\\194000000", "0x0", "0x0", "", "", "", "", "", "0x1", "0x0"},
      {bg + "\\199000000", "0x0", "0x0", "System...", "System...", "", "", ",29", "0x0", "0x0"},
      {item("199800000"), "0x0", "0xbdc7fc0", "Vesper", "Vesper", "", "", "", "0x0", "0x1"},
      {item("199801000"), "0x3b9c50a0", "0xbdc7fc0", "Suspend", "Suspend the System", exe, "-suspend", "", "0x0", "0x0"},
      {item("199802000"), "0x3b9c50a0", "0xbdc7fc0", "Hibernate", "Hibernate the System", exe, "-hibernate", "", "0x0",
       "0x0"},
      {item("199802500"), "0x3b9c50a0", "0xbdc7fc0", "", "", "", "", "", "0x1", "0x0"},
      {item("199803000"), "0x3b9c50a0", "0xbdc7fc0", "Log Off", "Log Off from the System", exe, "-logoff", logOffIcon,
       "0x0", "0x0"},
      {item("199803500"), "0x3b9c50a0", "0xbdc7fc0", "", "", "", "", "", "0x1", "0x0"},
      {item("199804000"), "0x3b9c50a0", "0xbdc7fc0", "Reboot", "Reboot the System", exe, "-reboot", "", "0x0", "0x0"},
      {item("199805000"), "0x3b9c50a0", "0xbdc7fc0", "Shutdown", "Shutdown the System", exe, "-shutdown", shutdownIcon,
       "0x0", "0x0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(valueOf(tree, row.key, "AppID"), row.appId);
    EXPECT_EQ(valueOf(tree, row.key, "ParentID"), row.parentId);
    EXPECT_EQ(valueOf(tree, row.key, "MenuString"), row.menuString);
    EXPECT_EQ(valueOf(tree, row.key, "MenuExplanation"), row.explanation);
    EXPECT_EQ(valueOf(tree, row.key, "ExePath"), row.exePath);
    EXPECT_EQ(valueOf(tree, row.key, "ExeParameter"), row.parameter);
    EXPECT_EQ(valueOf(tree, row.key, "IconPath"), row.iconPath);
    EXPECT_EQ(valueOf(tree, row.key, "IsSeparator"), row.separator);
    EXPECT_EQ(valueOf(tree, row.key, "Title"), row.title);
  }
  EXPECT_EQ(valueOf(tree, bg + "\\199000000", "IsFolder"), "0x1");
  EXPECT_EQ(valueOf(tree, bg + "\\199000000", "UseDefaultIcon"), "0x1d");
  EXPECT_EQ(valueOf(tree, item("199801000"), "UseDefaultIcon"), "0xffffffff");
  EXPECT_EQ(valueOf(tree, item("199801000"), "OnDesktopBackground"), "0x1");
  EXPECT_EQ(valueOf(tree, item("199801000"), "SingleExecutable"), "0x1");
  EXPECT_EQ(valueOf(tree, item("199801000"), "OnFile"), "0x0");
  EXPECT_EQ(valueOf(tree, item("199800000"), "IsGrayed"), "0x1");
  EXPECT_EQ(valueOf(tree, item("199800000"), "OnFile"), "0x1");
}

TEST_F(TemplateTest, AnItemHoldsItsFortyValuesInTheirOrderAndNoForcedPairs) {
  ASSERT_TRUE(writeTemplate(nullptr));
  RegTree tree = query(item("199805000"));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"AppID", "REG_DWORD"}, {"MenuID", "REG_DWORD"}, {"ParentID", "REG_DWORD"}, {"Priority", "REG_DWORD"},
      {"AppName", "REG_SZ"}, {"MenuString", "REG_SZ"}, {"MenuExplanation", "REG_SZ"}, {"TaskType", "REG_DWORD"},
      {"ExePath", "REG_SZ"}, {"ExeParameter", "REG_SZ"}, {"DstPath", "REG_SZ"}, {"IconPath", "REG_SZ"},
      {"FolderTitle", "REG_SZ"}, {"UseDefaultIcon", "REG_DWORD"}, {"SingleExecutable", "REG_DWORD"},
      {"MultiExecutable", "REG_DWORD"}, {"MultiParameter", "REG_DWORD"}, {"OnFile", "REG_DWORD"},
      {"OnFolder", "REG_DWORD"}, {"OnNormalFolderBackground", "REG_DWORD"}, {"OnDesktopBackground", "REG_DWORD"},
      {"LimitByExtension", "REG_DWORD"}, {"Extensions", "REG_MULTI_SZ"}, {"TargetFolderWithSeparator", "REG_DWORD"},
      {"Disabled", "REG_DWORD"}, {"WithPathParam", "REG_DWORD"}, {"Title", "REG_DWORD"},
      {"TitleNeedFollowers", "REG_DWORD"}, {"Bold", "REG_DWORD"}, {"IsSeparator", "REG_DWORD"},
      {"IsFolder", "REG_DWORD"}, {"IsTemplate", "REG_DWORD"}, {"IsUserDefined", "REG_DWORD"},
      {"IsGrayed", "REG_DWORD"}, {"IsDynamicPopulate", "REG_DWORD"}, {"NumOfColumn", "REG_DWORD"},
      {"MaxRows", "REG_DWORD"}, {"MaxColumnLines", "REG_DWORD"}, {"UseShellIcon", "REG_DWORD"},
      {"DeLink", "REG_DWORD"},
  };
  const std::vector<RegValue>& values = tree["HKEY_CURRENT_USER\\" + item("199805000")];
  ASSERT_EQ(values.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(values[i].name, expected[i].first) << i;
    EXPECT_EQ(values[i].type, expected[i].second) << i;
  }
  EXPECT_EQ(valueOf(tree, item("199805000"), "MaxRows"), "0xfffffff");
  EXPECT_EQ(valueOf(tree, item("199805000"), "WithPathParam"), "0x1");
  EXPECT_EQ(valueOf(tree, item("199805000"), "Priority"), "0xbe8c848");
  // The empty list is four zero bytes.
  s::reg::win::RegDir* key = s::reg::win::RegDir::acquireKey(
      s::reg::IRegDir::kCurrentUser, u"Software\\MenuPorter110\\Apps\\Vesper\\menus_Background\\199000000\\199805000");
  uint32_t type = 0, size = 0;
  ASSERT_TRUE(key->queryValue(u"Extensions", &type, &size, s::reg::IRegDir::kAnyType));
  EXPECT_EQ(size, 4u);
  key->release();
}

TEST_F(TemplateTest, RecordCarriesTheContextMenuPackAsOneLineAndItsEnglishName) {
  ASSERT_TRUE(writeTemplate(nullptr));
  RegTree tree = query(kApp);
  const std::vector<RegValue>& values = tree[std::string("HKEY_CURRENT_USER\\") + kApp];
  std::vector<std::string> names;
  for (const RegValue& v : values) names.push_back(v.name);
  EXPECT_EQ(names, (std::vector<std::string>{"AppID", "AppName", "Usable", "WithDll", "DllPath", "WithLocalizer",
                                             "MenuLocalizer", "SelectedLang"}));
  EXPECT_EQ(valueOf(tree, kApp, "AppID"), "0x3b9c50a0");
  EXPECT_EQ(valueOf(tree, kApp, "AppName"), "Vesper");
  EXPECT_EQ(valueOf(tree, kApp, "Usable"), "0x1");
  EXPECT_EQ(valueOf(tree, kApp, "WithDll"), "0x0");
  EXPECT_EQ(valueOf(tree, kApp, "DllPath"), "");
  EXPECT_EQ(valueOf(tree, kApp, "WithLocalizer"), "0x1");
  EXPECT_EQ(valueOf(tree, kApp, "SelectedLang"), "English");
  const std::string packs = valueOf(tree, kApp, "MenuLocalizer");
  EXPECT_EQ(packs.rfind("<lang>", 0), 0u) << packs;
  EXPECT_NE(packs.find("engName=\"Japanese\""), std::string::npos);
  EXPECT_NE(packs.find("id=\"1998050000\""), std::string::npos);
  EXPECT_NE(packs.find("<eng>Shutdown</eng>"), std::string::npos);
}

TEST_F(TemplateTest, FolderIconFollowsTheRegisteredBridgeWithEnvironmentExpanded) {
  setenv("VESPER_TEST_BRIDGE_HOME", "/opt/bridge", 1);
  runReg("add 'HKCU\\Software\\MenuPorter110' /v Path /t REG_EXPAND_SZ /d '%VESPER_TEST_BRIDGE_HOME%/MenuPorter118.dll' /f");
  ASSERT_TRUE(writeTemplate(nullptr));
  EXPECT_EQ(valueOf(query(kBackground), std::string(kBackground) + "\\199000000", "IconPath"),
            "/opt/bridge/MenuPorter118.dll,29");
  unsetenv("VESPER_TEST_BRIDGE_HOME");
}

TEST_F(TemplateTest, InstallingTwiceChangesOnlyLastUpdate) {
  ASSERT_TRUE(writeTemplate(nullptr));
  // A different LastUpdate shows that the second write really stamped it.
  runReg("add 'HKCU\\Software\\MenuPorter110' /v LastUpdate /t REG_DWORD /d 7 /f");
  RegTree first = query("Software\\MenuPorter110");
  ASSERT_TRUE(writeTemplate(nullptr));
  RegTree second = query("Software\\MenuPorter110");
  const std::string bridge = "HKEY_CURRENT_USER\\Software\\MenuPorter110";
  EXPECT_EQ(valueOf(first, "Software\\MenuPorter110", "LastUpdate"), "0x7");
  EXPECT_NE(valueOf(second, "Software\\MenuPorter110", "LastUpdate"), "0x7");
  first.erase(bridge);
  second.erase(bridge);
  EXPECT_EQ(first, second);
}

TEST_F(TemplateTest, LastUpdateIsTheCurrentUnixTime) {
  const long before = static_cast<long>(time(nullptr));
  ASSERT_TRUE(writeTemplate(nullptr));
  const long after = static_cast<long>(time(nullptr));
  long stamp = std::stol(valueOf(query("Software\\MenuPorter110"), "Software\\MenuPorter110", "LastUpdate"), nullptr, 16);
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
}

TEST_F(TemplateTest, WithdrawalClearsUsableAndKeepsBothTrees) {
  ASSERT_TRUE(writeTemplate(nullptr));
  runReg("add 'HKCU\\Software\\MenuPorter110\\Apps\\Vesper\\menus\\old' /v X /t REG_DWORD /d 1 /f");
  RegTree before = query(kApp);
  ASSERT_TRUE(withdrawTemplate());
  RegTree after = query("Software\\MenuPorter110");
  EXPECT_EQ(valueOf(after, kApp, "Usable"), "0x0");
  EXPECT_EQ(subKeysOf(after, kApp), (std::vector<std::string>{"menus_Background"}));
  EXPECT_EQ(subKeysOf(after, kFolder).size(), 8u);
  EXPECT_EQ(valueOf(after, "Software\\MenuPorter110\\Lock", "(Default)"), "0x0");
  EXPECT_TRUE(subKeysOf(after, "Software\\MenuPorter110\\Lock").empty());
  // A later installation makes it usable again.
  ASSERT_TRUE(writeTemplate(nullptr));
  EXPECT_EQ(valueOf(query(kApp), kApp, "Usable"), "0x1");
}

TEST_F(TemplateTest, WithdrawalOfATemplateNeverWrittenLeavesAnUnusableRecord) {
  EXPECT_TRUE(withdrawTemplate());
  RegTree tree = query("Software\\MenuPorter110");
  EXPECT_EQ(valueOf(tree, kApp, "Usable"), "0x0");
  EXPECT_TRUE(subKeysOf(tree, kApp).empty());
}

}  // namespace
