// The power actions and the version checks, each scenario in a forked child of its own (the
// privilege flag and the version cache live once per process, and this process never touches them),
// with the power log in place of any real action.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>
#include <win/process.h>
#include <win/security.h>
#include <win/thread.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "power/PowerActions.h"
#include "power/SystemVersion.h"

namespace vesper = s::system::vesper;

namespace {

std::vector<std::string> loggedMethods(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> methods;
  for (std::string line; std::getline(in, line);) methods.push_back(line.substr(0, line.find(' ')));
  return methods;
}

class VesperPowerActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-power-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    log = folder + "/power.log";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder;
  std::string log;
};

// Takes the shutdown privilege away again, as a user could through another handle of the token.
void disableAllPrivileges() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) _exit(90);
  if (!AdjustTokenPrivileges(token, TRUE, nullptr, 0, nullptr, nullptr)) _exit(91);
  CloseHandle(token);
}

DWORD WINAPI rebootOnce(LPVOID) {
  vesper::reboot();
  return 0;
}

void rebootOnTwoThreads() {
  HANDLE threads[2];
  for (HANDLE& t : threads) t = CreateThread(nullptr, 0, rebootOnce, nullptr, 0, nullptr);
  for (HANDLE t : threads) {
    WaitForSingleObject(t, INFINITE);
    CloseHandle(t);
  }
}

TEST_F(VesperPowerActionsTest, EachActionMakesItsOneRequest) {
  const struct {
    void (*action)();
    const char* method;
  } cases[] = {
      {vesper::standBy, "Suspend"}, {vesper::hibernate, "Hibernate"}, {vesper::logOff, "TerminateSession"},
      {vesper::reboot, "Reboot"},   {vesper::shutDown, "PowerOff"},
  };
  for (const auto& c : cases) {
    std::remove(log.c_str());
    EXPECT_EXIT(
        {
          setenv("VESPER_POWER_LOG", log.c_str(), 1);
          c.action();
          _exit(0);
        },
        ::testing::ExitedWithCode(0), "^$");
    EXPECT_EQ(loggedMethods(log), std::vector<std::string>{c.method}) << c.method;
  }
}

TEST_F(VesperPowerActionsTest, ThePrivilegeIsEnabledOnlyByTheFirstActionOfTheProcess) {
  EXPECT_EXIT(
      {
        setenv("VESPER_POWER_LOG", log.c_str(), 1);
        vesper::logOff();
        vesper::reboot();
        // Were the privilege enabled again, the next two requests would be made.
        disableAllPrivileges();
        vesper::shutDown();
        vesper::standBy();
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(loggedMethods(log), (std::vector<std::string>{"TerminateSession", "Reboot"}));
}

TEST_F(VesperPowerActionsTest, TwoThreadsStartingAtOnceBothGetTheirRequestThrough) {
  EXPECT_EXIT(
      {
        setenv("VESPER_POWER_LOG", log.c_str(), 1);
        rebootOnTwoThreads();
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(loggedMethods(log), (std::vector<std::string>{"Reboot", "Reboot"}));
}

TEST_F(VesperPowerActionsTest, OnlyAFailedHibernationSpeaks) {
  const std::string unwritable = folder + "/missing/power.log";
  EXPECT_EXIT(
      {
        setenv("VESPER_POWER_LOG", unwritable.c_str(), 1);
        vesper::hibernate();
        _exit(0);
      },
      ::testing::ExitedWithCode(0),
      "Not Enough virtual Memory \\(Paging File\\)\r\nSolution 1: .*\r\nSolution 2: Increase minimum virtual memory");
  for (void (*action)() : {vesper::standBy, vesper::logOff, vesper::reboot, vesper::shutDown}) {
    EXPECT_EXIT(
        {
          setenv("VESPER_POWER_LOG", unwritable.c_str(), 1);
          action();
          _exit(0);
        },
        ::testing::ExitedWithCode(0), "^$");
  }
}

struct VersionCase {
  const char* version;
  bool xp, server2003, vista, windows7;
};

TEST_F(VesperPowerActionsTest, TheVersionChecksFollowTheReportedVersion) {
  const VersionCase cases[] = {
      {"5.1", true, false, false, false},  {"5.2", false, true, false, false}, {"5.0", false, false, false, false},
      {"6.0", false, false, true, false},  {"6.1", false, false, true, true},  {"6.2", false, false, true, true},
      {"10.0", false, false, true, true},
  };
  for (const VersionCase& c : cases) {
    int expected = (c.xp ? 1 : 0) | (c.server2003 ? 2 : 0) | (c.vista ? 4 : 0) | (c.windows7 ? 8 : 0);
    EXPECT_EXIT(
        {
          setenv("VESPER_WINVER", c.version, 1);
          // Asked twice: the second answer comes from the cache and must agree.
          int first = (vesper::isWindowsXp() ? 1 : 0) | (vesper::isWindowsServer2003() ? 2 : 0) |
                      (vesper::isVistaOrLater() ? 4 : 0) | (vesper::isWindows7OrLater() ? 8 : 0);
          int again = (vesper::isWindowsXp() ? 1 : 0) | (vesper::isWindowsServer2003() ? 2 : 0) |
                      (vesper::isVistaOrLater() ? 4 : 0) | (vesper::isWindows7OrLater() ? 8 : 0);
          _exit(first == again ? first : 99);
        },
        ::testing::ExitedWithCode(expected), "")
        << c.version;
  }
}

}  // namespace
