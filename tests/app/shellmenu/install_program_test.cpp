// "-install" and "-uninstall" of the real program, run on a copy of the build's bin folder with a
// fresh hive, system folder, power log and bridge call log, checked through the reg tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ShellMenuFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr char kApp[] = "Software\\MenuPorter110\\Apps\\Vesper";
constexpr char kFolder[] = "Software\\MenuPorter110\\Apps\\Vesper\\menus_Background\\199000000";

class InstallProgramTest : public testing_shellmenu::ShellMenuTest {
 protected:
  void SetUp() override {
    ShellMenuTest::SetUp();
    const std::string bin = testing_shellmenu::buildFolder() + "/bin";
    if (!fs::exists(bin + "/vesper")) GTEST_SKIP() << "the program is not built";
    programFolder = folder + "/program";
    fs::create_directories(programFolder);
    fs::copy_file(bin + "/vesper", program());
    fs::copy_file(pristineBridge(), programFolder + "/MenuPorter118.dll");
  }

  std::string program() const { return programFolder + "/vesper"; }
  std::string destination() const { return sharedFolder() + "/MenuPorter118.dll"; }

  // Runs the copied program with the arguments; answers its exit status (-1 when it did not end).
  int run(const std::string& arguments, const std::string& language = "en_US.UTF-8") const {
    std::string command = "env -u LANG -u LC_MESSAGES LC_ALL=" + language + " VESPER_REGISTRY='" + folder +
                          "/hive.db' VESPER_SYSTEM_DIR='" + systemDir + "' VESPER_POWER_LOG='" + folder +
                          "/power.log' VESPER_BRIDGE_LOG='" + bridgeLog() + "' timeout 60 '" + program() + "' " +
                          arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string powerLog() const { return testing_shellmenu::readFile(folder + "/power.log"); }

  std::string programFolder;
};

TEST_F(InstallProgramTest, InstallPlacesTheBridgeRemovesOldVersionsAndWritesTheTemplate) {
  fs::create_directories(sharedFolder());
  for (int version = 110; version <= 117; ++version)
    fs::copy_file(pristineBridge(), sharedFolder() + "/MenuPorter" + std::to_string(version) + ".dll");
  EXPECT_NE(run("-install"), -1);

  std::vector<std::string> expectedCalls;
  for (int version = 110; version <= 117; ++version) {
    const std::string old = sharedFolder() + "/MenuPorter" + std::to_string(version) + ".dll";
    expectedCalls.push_back("unregister " + old);
    EXPECT_FALSE(fs::exists(old)) << old;
  }
  expectedCalls.push_back("register " + destination());
  EXPECT_EQ(bridgeCalls(), expectedCalls);
  EXPECT_FALSE(fs::exists(programFolder + "/MenuPorter118.dll"));
  EXPECT_TRUE(fs::is_regular_file(destination()));

  auto tree = query("Software\\MenuPorter110");
  EXPECT_EQ(valueOf(tree, "Software\\MenuPorter110", "Path"), destination());
  EXPECT_EQ(subKeysOf(tree, std::string(kApp) + "\\menus_Background"),
            (std::vector<std::string>{"194000000", "199000000"}));
  EXPECT_EQ(subKeysOf(tree, kFolder), (std::vector<std::string>{"199800000", "199801000", "199802000", "199802500",
                                                                "199803000", "199803500", "199804000", "199805000"}));
  const std::string exe = fs::canonical(program()).string();
  const std::pair<const char*, const char*> actions[] = {{"199801000", "-suspend"}, {"199802000", "-hibernate"},
                                                         {"199803000", "-logoff"},  {"199804000", "-reboot"},
                                                         {"199805000", "-shutdown"}};
  for (const auto& [id, parameter] : actions) {
    const std::string key = std::string(kFolder) + "\\" + id;
    EXPECT_EQ(valueOf(tree, key, "ExePath"), exe) << id;
    EXPECT_EQ(valueOf(tree, key, "ExeParameter"), parameter) << id;
    EXPECT_EQ(valueOf(tree, key, "ParentID"), "0xbdc7fc0") << id;
  }
  EXPECT_EQ(valueOf(tree, kFolder, "ParentID"), "0x0");
  EXPECT_EQ(valueOf(tree, kFolder, "IconPath"), destination() + ",29");
  EXPECT_EQ(valueOf(tree, kApp, "Usable"), "0x1");
  EXPECT_EQ(valueOf(tree, kApp, "WithLocalizer"), "0x1");
  EXPECT_EQ(valueOf(tree, kApp, "SelectedLang"), "English");
  EXPECT_EQ(powerLog(), "");
}

TEST_F(InstallProgramTest, InstallingTwiceChangesOnlyLastUpdate) {
  EXPECT_NE(run("-install"), -1);
  runReg("add 'HKCU\\Software\\MenuPorter110' /v LastUpdate /t REG_DWORD /d 7 /f");
  auto first = query("Software\\MenuPorter110");
  EXPECT_NE(run("-install"), -1);
  auto second = query("Software\\MenuPorter110");
  EXPECT_EQ(bridgeCalls().size(), 1u);  // the second run found no bridge to place
  EXPECT_NE(valueOf(second, "Software\\MenuPorter110", "LastUpdate"), "0x7");
  const std::string bridge = "HKEY_CURRENT_USER\\Software\\MenuPorter110";
  first.erase(bridge);
  second.erase(bridge);
  EXPECT_EQ(first, second);
}

TEST_F(InstallProgramTest, UninstallClearsUsableKeepsTheTreesAndTouchesNoLibrary) {
  EXPECT_NE(run("-install"), -1);
  const auto placedTime = fs::last_write_time(destination());
  const size_t calls = bridgeCalls().size();
  EXPECT_NE(run("-uninstall"), -1);
  auto tree = query("Software\\MenuPorter110");
  EXPECT_EQ(valueOf(tree, kApp, "Usable"), "0x0");
  EXPECT_EQ(subKeysOf(tree, kFolder).size(), 8u);
  EXPECT_EQ(valueOf(tree, "Software\\MenuPorter110", "Path"), destination());
  EXPECT_EQ(bridgeCalls().size(), calls);
  EXPECT_EQ(fs::last_write_time(destination()), placedTime);
  EXPECT_EQ(valueOf(tree, "Software\\MenuPorter110\\Lock", "(Default)"), "0x0");
}

TEST_F(InstallProgramTest, InstallThenUninstallInOneRunLeavesNoUsableMenu) {
  EXPECT_NE(run("-install -uninstall"), -1);
  EXPECT_EQ(valueOf(query(kApp), kApp, "Usable"), "0x0");
  EXPECT_EQ(powerLog(), "");
}

TEST_F(InstallProgramTest, SelectedPackFollowsTheInterfaceLanguage) {
  EXPECT_NE(run("-install", "ja_JP.UTF-8"), -1);
  EXPECT_EQ(valueOf(query(kApp), kApp, "SelectedLang"), "Japanese");
}

}  // namespace
