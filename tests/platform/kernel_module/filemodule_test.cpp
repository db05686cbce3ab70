// Library files loaded by absolute path: exports found by name, clean failures for files that are
// missing or not modules, and one shared record for a file loaded twice.
#include <gtest/gtest.h>

#include <win/error.h>
#include <win/module.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/kernel_module/ModuleFiles.h"

namespace {

using testing_module::wide;

class FileModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-module-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    ASSERT_TRUE(std::filesystem::exists(testing_module::pristineModule()));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder;
};

TEST_F(FileModuleTest, LoadsByAbsolutePathAndFindsExportsByName) {
  HMODULE module = LoadLibraryW(wide(testing_module::pristineModule()).c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_NE(GetProcAddress(module, "DllRegisterServer"), nullptr);
  EXPECT_NE(GetProcAddress(module, "DllUnregisterServer"), nullptr);
  struct Row {
    LPCSTR name;
  };
  // Unknown names, the library's own hidden symbols and ordinals are not found.
  const Row missing[] = {{"DllCanUnloadNow"}, {"_ZN1s3reg3win6RegDir7acquireEv"}, {reinterpret_cast<LPCSTR>(1)},
                         {nullptr}};
  for (const Row& row : missing) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, row.name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(FileModuleTest, SameFileLoadedTwiceSharesOneHandleUntilTheLastFree) {
  const std::u16string path = wide(testing_module::pristineModule());
  HMODULE first = LoadLibraryW(path.c_str());
  HMODULE second = LoadLibraryW(path.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_NE(GetProcAddress(second, "DllRegisterServer"), nullptr);
  EXPECT_TRUE(FreeLibrary(second));
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(second));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FileModuleTest, FilesThatCannotBeLoadedFailCleanly) {
  std::ofstream(folder + "/text.dll") << "not a module";
  std::filesystem::create_directory(folder + "/folder.dll");
  struct Row {
    std::string name;
    DWORD error;
  };
  const Row rows[] = {
      {folder + "/missing.dll", ERROR_MOD_NOT_FOUND},
      {folder + "/text.dll", ERROR_BAD_EXE_FORMAT},
      {folder + "/folder.dll", ERROR_MOD_NOT_FOUND},
      {"relative/MenuPorter118.dll", ERROR_MOD_NOT_FOUND},
      {"MenuPorter118.dll", ERROR_MOD_NOT_FOUND},
  };
  for (const Row& row : rows) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(wide(row.name).c_str()), nullptr) << row.name;
    EXPECT_EQ(GetLastError(), row.error) << row.name;
  }
}

TEST_F(FileModuleTest, BackslashesInThePathAreSeparators) {
  std::string path = testing_module::pristineModule();
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE module = LoadLibraryW(wide(path).c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_NE(GetProcAddress(module, "DllRegisterServer"), nullptr);
  FreeLibrary(module);
}

TEST_F(FileModuleTest, BuiltInModulesStillAnswerBesideLoadedFiles) {
  HMODULE file = LoadLibraryW(wide(testing_module::pristineModule()).c_str());
  HMODULE ntdll = LoadLibraryW(u"ntdll.dll");
  ASSERT_NE(file, nullptr);
  ASSERT_NE(ntdll, nullptr);
  EXPECT_NE(file, ntdll);
  EXPECT_NE(GetProcAddress(ntdll, "NtOpenKey"), nullptr);
  EXPECT_EQ(GetProcAddress(file, "NtOpenKey"), nullptr);
  FreeLibrary(file);
  FreeLibrary(ntdll);
}

}  // namespace
