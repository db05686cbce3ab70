// ShellExecuteExW "open": xdg-open from PATH gets the address as its one argument, never a shell.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <win/windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace {

class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = getenv("PATH");
    savedPath_ = path ? path : "";
    char pattern[] = "/tmp/vesper-shell-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    record_ = folder_ + "/record";
    std::filesystem::create_directory(folder_ + "/bin");
    std::filesystem::create_directory(folder_ + "/empty");
    // The fake opener records how many arguments it got, each of them, and its working folder.
    std::ofstream fake(folder_ + "/bin/xdg-open");
    fake << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; pwd; } > '" << record_
         << ".tmp'\nmv '" << record_ << ".tmp' '" << record_ << "'\n";
    fake.close();
    chmod((folder_ + "/bin/xdg-open").c_str(), 0755);
    usePath(folder_ + "/bin:" + savedPath_);
  }

  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  static void usePath(const std::string& path) { setenv("PATH", path.c_str(), 1); }

  // Waits until the fake opener has written its record.
  std::string waitForRecord() {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(record_);
      if (in) {
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(no record)";
  }

  static SHELLEXECUTEINFOW openInfo(LPCWSTR file, LPCWSTR verb = u"open") {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.lpVerb = verb;
    info.lpFile = file;
    info.nShow = SW_SHOW;
    return info;
  }

  std::string folder_;
  std::string record_;
  std::string savedPath_;
};

}  // namespace

TEST_F(ShellExecuteTest, TheAddressIsTheOneArgumentEvenWithShellCharacters) {
  const char16_t* address = u"https://example.com/a b?x=1&y=$(touch /tmp/vesper-pwned);`id` 'q' \"d\" *";
  SHELLEXECUTEINFOW info = openInfo(address);
  ASSERT_TRUE(ShellExecuteExW(&info));
  EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_EQ(waitForRecord(),
            "1\nhttps://example.com/a b?x=1&y=$(touch /tmp/vesper-pwned);`id` 'q' \"d\" *\n" +
                std::filesystem::current_path().string() + "\n");
  EXPECT_FALSE(std::filesystem::exists("/tmp/vesper-pwned"));
}

TEST_F(ShellExecuteTest, OpenIsTheOnlyVerb) {
  struct Case {
    const char16_t* verb;
    BOOL ok;
  } cases[] = {{nullptr, TRUE}, {u"", TRUE}, {u"open", TRUE}, {u"OPEN", TRUE}, {u"edit", FALSE},
               {u"print", FALSE}, {u"opens", FALSE}, {u"ope", FALSE}};
  for (const auto& c : cases) {
    SHELLEXECUTEINFOW info = openInfo(u"https://example.com/", c.verb);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    EXPECT_EQ(ShellExecuteExW(&info), c.ok);
    if (c.ok) {
      ASSERT_NE(info.hProcess, nullptr);
      EXPECT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
      CloseHandle(info.hProcess);
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_ASSOCIATION));
      EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hInstApp), SE_ERR_NOASSOC);
    }
  }
}

TEST_F(ShellExecuteTest, BadRecordsAndMissingAddressesFail) {
  EXPECT_FALSE(ShellExecuteExW(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SHELLEXECUTEINFOW info = openInfo(u"https://example.com/");
  info.cbSize = sizeof info - 8;
  EXPECT_FALSE(ShellExecuteExW(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  for (LPCWSTR file : {static_cast<LPCWSTR>(nullptr), u""}) {
    info = openInfo(file);
    EXPECT_FALSE(ShellExecuteExW(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hInstApp), SE_ERR_FNF);
  }
  EXPECT_FALSE(std::filesystem::exists(record_));
}

TEST_F(ShellExecuteTest, AnOpenerThatCannotStartFailsTheCall) {
  usePath(folder_ + "/empty");
  SHELLEXECUTEINFOW info = openInfo(u"https://example.com/");
  EXPECT_FALSE(ShellExecuteExW(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);

  // An opener that is there but may not be run.
  usePath(folder_ + "/bin");
  chmod((folder_ + "/bin/xdg-open").c_str(), 0644);
  info = openInfo(u"https://example.com/");
  EXPECT_FALSE(ShellExecuteExW(&info));
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(ShellExecuteTest, TheOpenerRunsInTheGivenFolderAndIsReaped) {
  SHELLEXECUTEINFOW info = openInfo(u"file:///tmp/x");
  std::u16string folder(folder_.begin(), folder_.end());
  info.lpDirectory = folder.c_str();
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  ASSERT_TRUE(ShellExecuteExW(&info));
  ASSERT_NE(info.hProcess, nullptr);
  DWORD pid = GetProcessId(info.hProcess);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(waitForRecord(), "1\nfile:///tmp/x\n" + folder_ + "\n");
  CloseHandle(info.hProcess);
  // The platform reaps the opener, so no zombie stays in the process table.
  bool gone = false;
  for (int i = 0; i < 300 && !gone; ++i) {
    gone = !std::filesystem::exists("/proc/" + std::to_string(pid));
    if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(gone);
}
