// The per-user system folder: where it is, that it is made when missing, and the clear refusals.
#include <gtest/gtest.h>

#include <win/error.h>
#include <win/file.h>
#include <win/shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string narrow(const WCHAR* text) {
  std::string out;
  for (; *text; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

class SpecialFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-folder-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    unsetenv("VESPER_SYSTEM_DIR");
  }
  void TearDown() override {
    unsetenv("VESPER_SYSTEM_DIR");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string folder;
};

TEST_F(SpecialFolderTest, SystemFolderComesFromTheEnvironmentAndIsMade) {
  struct Row {
    const char* setting;  // VESPER_SYSTEM_DIR, null when unset
    std::string expected;
  };
  const Row rows[] = {
      {nullptr, folder + "/data/vesper/system"},
      {"", folder + "/data/vesper/system"},          // malformed: the default
      {"relative/dir", folder + "/data/vesper/system"},  // malformed: the default
      {nullptr, ""},                                 // filled below: VESPER_SYSTEM_DIR itself
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    std::string expected = rows[i].expected;
    if (i == 3) {
      expected = folder + "/own/system";
      setenv("VESPER_SYSTEM_DIR", (expected + "/").c_str(), 1);
    } else if (rows[i].setting) {
      setenv("VESPER_SYSTEM_DIR", rows[i].setting, 1);
    } else {
      unsetenv("VESPER_SYSTEM_DIR");
    }
    WCHAR path[MAX_PATH] = {u'x'};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_SYSTEM, FALSE)) << i;
    EXPECT_EQ(narrow(path), expected) << i;
    EXPECT_TRUE(fs::is_directory(expected)) << i;
  }
}

TEST_F(SpecialFolderTest, UnknownFoldersAndLongPathsAreRefused) {
  WCHAR path[MAX_PATH] = {u'x'};
  SetLastError(0);
  EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, 0x001a, FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(path[0], 0);
  setenv("VESPER_SYSTEM_DIR", (folder + "/" + std::string(300, 'd')).c_str(), 1);
  EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_SYSTEM | CSIDL_FLAG_CREATE, TRUE));
  EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, nullptr, CSIDL_SYSTEM, FALSE));
}

TEST_F(SpecialFolderTest, FolderThatIsAFileCannotBeTheSystemFolder) {
  std::ofstream(folder + "/file") << "x";
  setenv("VESPER_SYSTEM_DIR", (folder + "/file").c_str(), 1);
  WCHAR path[MAX_PATH];
  SetLastError(0);
  EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_SYSTEM, FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
