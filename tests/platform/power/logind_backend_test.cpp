// The logind backend against a private bus with python3-dbusmock's logind: the methods, their
// arguments, error replies, an unreachable bus, and the connection rules (per thread, across fork).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "PowerFixture.h"
#include "support/LogindMock.h"

namespace {

// The calls without the mock's own property reads and error notes.
std::vector<std::string> requests(LogindMock& mock) {
  std::vector<std::string> out;
  for (const std::string& line : mock.calls()) {
    std::string method = firstWord(line);
    if (method == "Get" || method == "GetAll" || line.find(" raised: ") != std::string::npos) continue;
    out.push_back(line);
  }
  return out;
}

}  // namespace

class LogindTest : public PowerTest {
 protected:
  void SetUp() override {
    PowerTest::SetUp();
    unsetenv("VESPER_POWER_LOG");
  }
};

TEST_F(LogindTest, EachActionCallsItsMethodWithoutInteraction) {
  LogindMock mock;
  ASSERT_TRUE(mock.ready()) << mock.problem();
  struct Case {
    const char* what;
    BOOL (*call)();
    const char* line;
  } cases[] = {
      {"stand by", [] { return SetSystemPowerState(TRUE, TRUE); }, "Suspend False"},
      {"hibernate", [] { return SetSystemPowerState(FALSE, TRUE); }, "Hibernate False"},
      {"reboot", [] { return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0); }, "Reboot False"},
      {"shut down", [] { return ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0); }, "PowerOff False"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.call()) << c.what;
    std::vector<std::string> seen = requests(mock);
    ASSERT_FALSE(seen.empty()) << c.what;
    EXPECT_EQ(seen.back(), c.line) << c.what;
  }
  EXPECT_EQ(requests(mock).size(), 4u);
}

TEST_F(LogindTest, LogOffEndsTheOwnSession) {
  LogindMock mock;
  ASSERT_TRUE(mock.ready()) << mock.problem();
  // Without XDG_SESSION_ID, logind is asked which session this process belongs to.
  ASSERT_TRUE(ExitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0));
  EXPECT_EQ(requests(mock), (std::vector<std::string>{"GetSessionByPID " + std::to_string(getpid()),
                                                      "TerminateSession \"c7\""}));
  // With it, that session is ended directly.
  setenv("XDG_SESSION_ID", "42", 1);
  ASSERT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
  EXPECT_EQ(requests(mock).back(), "TerminateSession \"42\"");
  EXPECT_EQ(requests(mock).size(), 3u);
}

TEST_F(LogindTest, ErrorRepliesAreFailuresWithTheirCodes) {
  LogindMock mock;
  ASSERT_TRUE(mock.ready()) << mock.problem();
  struct Case {
    const char* method;
    const char* error;
    BOOL (*call)();
    DWORD code;
  } cases[] = {
      {"Hibernate", "org.freedesktop.login1.SleepVerbNotSupported", [] { return SetSystemPowerState(FALSE, TRUE); },
       ERROR_NOT_SUPPORTED},
      {"Suspend", "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
       [] { return SetSystemPowerState(TRUE, TRUE); }, ERROR_PRIVILEGE_NOT_HELD},
      {"Reboot", "org.freedesktop.DBus.Error.AccessDenied", [] { return ExitWindowsEx(EWX_REBOOT, 0); },
       ERROR_ACCESS_DENIED},
      {"PowerOff", "org.freedesktop.login1.OperationInProgress", [] { return ExitWindowsEx(EWX_POWEROFF, 0); },
       ERROR_BUSY},
      {"TerminateSession", "org.freedesktop.login1.NoSuchSession", [] { return ExitWindowsEx(EWX_LOGOFF, 0); },
       ERROR_NOT_FOUND},
  };
  for (const auto& c : cases) ASSERT_TRUE(mock.fail(c.method, c.error, "refused in the test")) << mock.problem();
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.method;
    EXPECT_EQ(GetLastError(), c.code) << c.method;
  }
  // An error nobody knows is still a failure.
  ASSERT_TRUE(mock.fail("Hibernate", "com.example.Strange", "no idea"));
  EXPECT_FALSE(SetSystemPowerState(FALSE, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
}

TEST_F(LogindTest, AFailedHibernationLeavesTheNextRequestWorking) {
  LogindMock mock(LogindMock::FailHibernate);
  ASSERT_TRUE(mock.ready()) << mock.problem();
  EXPECT_FALSE(SetSystemPowerState(FALSE, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0));
  EXPECT_EQ(requests(mock), (std::vector<std::string>{"Hibernate False", "Reboot False"}));
  std::vector<std::string> calls = mock.calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(),
                      "Hibernate raised: org.freedesktop.login1.SleepVerbNotSupported: "
                      "Not enough swap space for hibernation"),
            calls.end());
}

TEST_F(LogindTest, AnUnreachableBusIsAFailure) {
  struct Case {
    const char* what;
    const char* address;
  } cases[] = {{"no socket", "unix:path=/nonexistent/vesper/system_bus_socket"},
               {"not an address", "garbage"},
               {"unknown transport", "carrier-pigeon:coop=1"}};
  for (const Case& c : cases) {
    setenv("DBUS_SYSTEM_BUS_ADDRESS", c.address, 1);
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0)) << c.what;
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << c.what;
    EXPECT_FALSE(ExitWindowsEx(EWX_LOGOFF, 0)) << c.what;
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << c.what;
  }
  setenv("DBUS_SYSTEM_BUS_ADDRESS", cases[0].address, 1);
  EXPECT_FALSE(SetSystemPowerState(TRUE, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
}

TEST_F(LogindTest, FollowsTheBusAddressAtEachRequest) {
  {
    LogindMock first;
    ASSERT_TRUE(first.ready()) << first.problem();
    ASSERT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(requests(first), (std::vector<std::string>{"Reboot False"}));
  }
  // The first bus is gone; the same thread reaches the second one.
  LogindMock second;
  ASSERT_TRUE(second.ready()) << second.problem();
  ASSERT_TRUE(ExitWindowsEx(EWX_POWEROFF, 0));
  EXPECT_EQ(requests(second), (std::vector<std::string>{"PowerOff False"}));
}

TEST_F(LogindTest, EveryThreadAndAForkedChildUseTheirOwnConnection) {
  LogindMock mock;
  ASSERT_TRUE(mock.ready()) << mock.problem();
  ASSERT_TRUE(SetSystemPowerState(TRUE, TRUE));  // this thread's connection now exists
  std::vector<std::thread> threads;
  std::vector<int> results(3, 0);
  for (size_t i = 0; i < results.size(); ++i)
    threads.emplace_back([&results, i] { results[i] = ExitWindowsEx(EWX_REBOOT, 0); });
  for (std::thread& t : threads) t.join();
  for (int r : results) EXPECT_TRUE(r);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(ExitWindowsEx(EWX_POWEROFF, 0) ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  // The parent's connection still works after the child has gone.
  EXPECT_TRUE(SetSystemPowerState(TRUE, TRUE));
  std::vector<std::string> seen = requests(mock);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "Reboot False"), 3);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "PowerOff False"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "Suspend False"), 2);
}
