// Placing and registering the bridge with the stand-in bridge built beside the program: its call
// log (VESPER_BRIDGE_LOG) shows which file was registered or unregistered, and how often.
#include <gtest/gtest.h>

#include <win/module.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ShellMenuFixture.h"
#include "file/win/PathWin.h"
#include "shellmenu/BridgeInstaller.h"

namespace {

namespace fs = std::filesystem;
using s::file::win::PathWin;
using s::shell::server01::installBridge;
using s::shell::server01::removeBridgeFile;

std::u16string wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

class InstallerTest : public testing_shellmenu::ShellMenuTest {
 protected:
  void SetUp() override {
    ShellMenuTest::SetUp();
    programFolder = folder + "/program";
    fs::create_directories(programFolder);
    ASSERT_TRUE(fs::exists(pristineBridge())) << pristineBridge();
  }

  std::string source() const { return programFolder + "/MenuPorter118.dll"; }
  std::string destination() const { return sharedFolder() + "/MenuPorter118.dll"; }
  void placeSource() const { fs::copy_file(pristineBridge(), source(), fs::copy_options::overwrite_existing); }

  bool install() const {
    PathWin* path = PathWin::acquireText(wide(source()).c_str());
    bool placed = installBridge(path);
    path->release();
    return placed;
  }

  std::string registeredPath() const { return valueOf(query("Software\\MenuPorter110"), "Software\\MenuPorter110", "Path"); }

  std::string programFolder;
};

TEST_F(InstallerTest, FirstInstallationCreatesTheFolderMovesTheBridgeAndRegistersItOnce) {
  placeSource();
  ASSERT_FALSE(fs::exists(sharedFolder()));
  EXPECT_TRUE(install());
  EXPECT_FALSE(fs::exists(source()));
  EXPECT_TRUE(fs::is_regular_file(destination()));
  EXPECT_EQ(bridgeCalls(), (std::vector<std::string>{"register " + destination()}));
  EXPECT_EQ(registeredPath(), destination());
}

TEST_F(InstallerTest, SecondInstallationFindsNoSourceAndTouchesNothing) {
  placeSource();
  ASSERT_TRUE(install());
  const auto placedTime = fs::last_write_time(destination());
  EXPECT_FALSE(install());
  EXPECT_EQ(bridgeCalls().size(), 1u);
  EXPECT_EQ(fs::last_write_time(destination()), placedTime);
}

TEST_F(InstallerTest, BridgeRegisteredAtTheVeryPlaceIsUnregisteredKeptAndRegisteredAgain) {
  placeSource();
  ASSERT_TRUE(install());
  placeSource();
  std::remove(bridgeLog().c_str());
  EXPECT_TRUE(install());
  // The placed file is loaded while its predecessor is removed, so its deletion fails.
  EXPECT_EQ(bridgeCalls(), (std::vector<std::string>{"unregister " + destination(), "register " + destination()}));
  EXPECT_TRUE(fs::is_regular_file(destination()));
  EXPECT_EQ(registeredPath(), destination());
}

TEST_F(InstallerTest, PreviousBridgeAndOlderVersionsAreUnregisteredAndDeleted) {
  const std::string previous = folder + "/elsewhere/MenuPorter.dll";
  fs::create_directories(folder + "/elsewhere");
  fs::create_directories(sharedFolder());
  fs::copy_file(pristineBridge(), previous);
  runReg("add 'HKCU\\Software\\MenuPorter110' /v Path /d '" + previous + "' /f");
  std::vector<std::string> expected = {"unregister " + previous};
  for (int version = 110; version <= 117; ++version) {
    const std::string old = sharedFolder() + "/MenuPorter" + std::to_string(version) + ".dll";
    if (version == 113) {
      std::ofstream(old) << "not a module";  // cannot be loaded, deleted all the same
      continue;
    }
    fs::copy_file(pristineBridge(), old);
    expected.push_back("unregister " + old);
  }
  expected.push_back("register " + destination());
  placeSource();
  EXPECT_TRUE(install());
  EXPECT_EQ(bridgeCalls(), expected);
  EXPECT_FALSE(fs::exists(previous));
  for (int version = 110; version <= 117; ++version)
    EXPECT_FALSE(fs::exists(sharedFolder() + "/MenuPorter" + std::to_string(version) + ".dll")) << version;
  EXPECT_EQ(registeredPath(), destination());
}

TEST_F(InstallerTest, DestinationInUseDeletesTheSourceAndLoadsNothing) {
  fs::create_directories(sharedFolder());
  fs::copy_file(pristineBridge(), destination());
  HMODULE inUse = LoadLibraryW(wide(destination()).c_str());
  ASSERT_NE(inUse, nullptr);
  placeSource();
  EXPECT_FALSE(install());
  EXPECT_FALSE(fs::exists(source()));
  EXPECT_TRUE(fs::is_regular_file(destination()));
  EXPECT_TRUE(bridgeCalls().empty());
  EXPECT_EQ(registeredPath(), "<missing>");
  FreeLibrary(inUse);
}

TEST_F(InstallerTest, APlacedFileThatIsNoBridgeIsLeftUnregistered) {
  std::ofstream(source()) << "not a module";
  EXPECT_FALSE(install());
  EXPECT_TRUE(fs::is_regular_file(destination()));
  EXPECT_TRUE(bridgeCalls().empty());
}

TEST_F(InstallerTest, RemovingAFileThatIsNotThereDoesNothing) {
  const std::string missing = folder + "/none.dll";
  PathWin* path = PathWin::acquireText(wide(missing).c_str());
  EXPECT_FALSE(removeBridgeFile(path));
  path->release();
  EXPECT_TRUE(bridgeCalls().empty());
}

TEST_F(InstallerTest, UnregisteringAStaleCopyKeepsTheRegisteredPath) {
  const std::string stale = folder + "/stale.dll";
  fs::copy_file(pristineBridge(), stale);
  runReg("add 'HKCU\\Software\\MenuPorter110' /v Path /d '/somewhere/else.dll' /f");
  PathWin* path = PathWin::acquireText(wide(stale).c_str());
  EXPECT_TRUE(removeBridgeFile(path));
  path->release();
  EXPECT_EQ(registeredPath(), "/somewhere/else.dll");
  EXPECT_FALSE(fs::exists(stale));
}

}  // namespace
