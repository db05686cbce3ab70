// Shared parts of the power tests: switching the shutdown privilege, and a scratch folder with the
// environment variables of the power functions saved before and put back after each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <win/windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

inline void setShutdownPrivilege(bool enabled) {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &list.Privileges[0].Luid));
  list.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
  ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &list, 0, nullptr, nullptr));
  CloseHandle(token);
}

inline std::vector<std::string> fileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline std::string firstWord(const std::string& line) { return line.substr(0, line.find(' ')); }

class PowerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"VESPER_POWER_LOG", "XDG_SESSION_ID", "DBUS_SYSTEM_BUS_ADDRESS"}) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    char pattern[] = "/tmp/vesper-power-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    log_ = folder_ + "/requests.log";
    setenv("VESPER_POWER_LOG", log_.c_str(), 1);
    unsetenv("XDG_SESSION_ID");
    setShutdownPrivilege(true);
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::vector<std::string> logged() const { return fileLines(log_); }

  std::string folder_;
  std::string log_;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
