// Moving and deleting files, including the rule that a loaded module stays in place.
#include <gtest/gtest.h>

#include <win/error.h>
#include <win/file.h>
#include <win/module.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/kernel_module/ModuleFiles.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testing_module::wide;

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class FileMoveTest : public ::testing::Test {
 protected:
  void SetUp() override { folder = makeFolder("/tmp"); }
  void TearDown() override {
    std::error_code ignored;
    for (const std::string& f : folders) fs::remove_all(f, ignored);
  }
  std::string makeFolder(const std::string& base) {
    std::string pattern = base + "/vesper-file-test-XXXXXX";
    if (!mkdtemp(pattern.data())) return std::string();
    folders.push_back(pattern);
    return pattern;
  }
  std::string file(const std::string& name, const std::string& content) {
    std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string folder;
  std::vector<std::string> folders;
};

TEST_F(FileMoveTest, MoveFollowsTheFlagsForAnExistingDestination) {
  struct Row {
    const char* what;
    bool destinationExists;
    DWORD flags;
    BOOL result;
    DWORD error;
    std::string destinationAfter;
    bool sourceAfter;
  };
  const Row rows[] = {
      {"plain rename", false, 0, TRUE, 0, "new", false},
      {"existing destination kept", true, 0, FALSE, ERROR_ALREADY_EXISTS, "old", true},
      {"existing destination replaced", true, MOVEFILE_REPLACE_EXISTING, TRUE, 0, "new", false},
      {"all three flags", true, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH, TRUE, 0,
       "new", false},
      {"restart moves are not offered", false, MOVEFILE_DELAY_UNTIL_REBOOT, FALSE, ERROR_INVALID_PARAMETER, "", true},
      {"unknown flag", false, 0x100, FALSE, ERROR_INVALID_PARAMETER, "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string from = file("from", "new");
    const std::string to = folder + "/to";
    fs::remove(to);
    if (row.destinationExists) file("to", "old");
    SetLastError(0);
    EXPECT_EQ(MoveFileExW(wide(from).c_str(), wide(to).c_str(), row.flags), row.result);
    if (!row.result) {
      EXPECT_EQ(GetLastError(), row.error);
    }
    EXPECT_EQ(contentOf(to), row.destinationAfter);
    EXPECT_EQ(fs::exists(from), row.sourceAfter);
  }
}

TEST_F(FileMoveTest, MoveReportsMissingFilesAndFolders) {
  const std::string from = file("from", "x");
  struct Row {
    std::string from, to;
    DWORD error;
  };
  const Row rows[] = {
      {folder + "/missing", folder + "/to", ERROR_FILE_NOT_FOUND},
      {from, folder + "/no/such/folder/to", ERROR_PATH_NOT_FOUND},
  };
  for (const Row& row : rows) {
    SetLastError(0);
    EXPECT_FALSE(MoveFileExW(wide(row.from).c_str(), wide(row.to).c_str(), MOVEFILE_REPLACE_EXISTING)) << row.to;
    EXPECT_EQ(GetLastError(), row.error) << row.to;
  }
  EXPECT_TRUE(fs::exists(from));
}

TEST_F(FileMoveTest, LoadedModuleIsNeitherReplacedNorDeleted) {
  const std::string module = folder + "/module.dll";
  fs::copy_file(testing_module::pristineModule(), module);
  const std::string other = file("other", "x");
  HMODULE loaded = LoadLibraryW(wide(module).c_str());
  ASSERT_NE(loaded, nullptr);
  SetLastError(0);
  EXPECT_FALSE(MoveFileExW(wide(other).c_str(), wide(module).c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(wide(module).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(fs::exists(module));
  EXPECT_TRUE(fs::exists(other));
  // Once unloaded it is an ordinary file again.
  FreeLibrary(loaded);
  EXPECT_TRUE(DeleteFileW(wide(module).c_str()));
  EXPECT_FALSE(fs::exists(module));
}

TEST_F(FileMoveTest, FileRunningInAnotherProcessIsInUse) {
  std::string program = folder + "/sleeper";
  fs::copy_file("/bin/sleep", program);
  char* argv[] = {program.data(), const_cast<char*>("30"), nullptr};
  pid_t child = -1;
  ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
  // Wait until the child's map shows the program.
  const std::string maps = "/proc/" + std::to_string(child) + "/maps";
  for (int i = 0; i < 250 && contentOf(maps).find(program) == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(wide(program).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(DeleteFileW(wide(program).c_str()));
}

TEST_F(FileMoveTest, DeleteRemovesFilesOnly) {
  const std::string plain = file("plain", "x");
  fs::create_directory(folder + "/sub");
  struct Row {
    std::string path;
    BOOL result;
    DWORD error;
  };
  const Row rows[] = {
      {plain, TRUE, 0},
      {plain, FALSE, ERROR_FILE_NOT_FOUND},
      {folder + "/sub", FALSE, ERROR_ACCESS_DENIED},
      {folder + "/none/x", FALSE, ERROR_PATH_NOT_FOUND},
  };
  for (const Row& row : rows) {
    SetLastError(0);
    EXPECT_EQ(DeleteFileW(wide(row.path).c_str()), row.result) << row.path;
    if (!row.result) {
      EXPECT_EQ(GetLastError(), row.error) << row.path;
    }
  }
  EXPECT_TRUE(fs::is_directory(folder + "/sub"));
}

TEST_F(FileMoveTest, AcrossFileSystemsTheMoveCopiesOnlyWhenAllowed) {
  struct stat here {}, there {};
  const std::string other = makeFolder("/dev/shm");
  if (other.empty() || stat(folder.c_str(), &here) != 0 || stat(other.c_str(), &there) != 0 ||
      here.st_dev == there.st_dev)
    GTEST_SKIP() << "no second file system to move across";
  const std::string from = file("from", std::string(200000, 'v'));
  chmod(from.c_str(), 0640);
  const std::string to = other + "/to";
  SetLastError(0);
  EXPECT_FALSE(MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  EXPECT_TRUE(fs::exists(from));
  std::ofstream(to) << "old";
  EXPECT_TRUE(MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH));
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(contentOf(to), std::string(200000, 'v'));
  struct stat moved {};
  ASSERT_EQ(stat(to.c_str(), &moved), 0);
  EXPECT_EQ(moved.st_mode & 0777, 0640u);
  // No temporary copy is left beside it.
  size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(other)) entries += entry.exists() ? 1 : 0;
  EXPECT_EQ(entries, 1u);
}

}  // namespace
