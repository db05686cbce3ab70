// The module holder keeps a library file loaded exactly as long as it is held.
#include <gtest/gtest.h>

#include <win/file.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/kernel_module/ModuleFiles.h"
#include "system/win/DllLocater.h"

namespace {

namespace fs = std::filesystem;
using s::system::win::DllLocater;
using testing_module::wide;

class DllLocaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-locater-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    module = folder + "/module.dll";
    fs::copy_file(testing_module::pristineModule(), module);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string folder;
  std::string module;
};

TEST_F(DllLocaterTest, HeldModuleStaysLoadedUntilTheHolderGoesBack) {
  DllLocater* holder = DllLocater::acquireFile(wide(module).c_str());
  ASSERT_NE(holder, nullptr);
  ASSERT_TRUE(holder->isLoaded());
  EXPECT_NE(holder->getProc("DllRegisterServer"), nullptr);
  EXPECT_EQ(holder->getProc("NoSuchEntry"), nullptr);
  // In use while held: the file cannot be deleted.
  EXPECT_FALSE(DeleteFileW(wide(module).c_str()));
  holder->release();
  EXPECT_TRUE(DeleteFileW(wide(module).c_str()));
}

TEST_F(DllLocaterTest, FailedLoadLeavesAnEmptyHolderAndFreesThePreviousModule) {
  std::ofstream(folder + "/text.dll") << "not a module";
  DllLocater* holder = DllLocater::acquireFile(wide(module).c_str());
  ASSERT_TRUE(holder->isLoaded());
  const std::string failing[] = {folder + "/missing.dll", folder + "/text.dll"};
  for (const std::string& name : failing) {
    EXPECT_FALSE(holder->load(wide(name).c_str())) << name;
    EXPECT_FALSE(holder->isLoaded());
    EXPECT_EQ(holder->getProc("DllRegisterServer"), nullptr);
  }
  EXPECT_FALSE(holder->load(nullptr));
  EXPECT_TRUE(DeleteFileW(wide(module).c_str()));
  holder->release();
}

}  // namespace
