// The log backend: each request becomes one line, the logind method name first, and nothing else.
#include <unistd.h>

#include <thread>

#include "PowerFixture.h"
#include "support/LogindMock.h"

namespace {

struct Request {
  const char* what;
  BOOL (*call)();
  const char* method;
};

const Request kRequests[] = {
    {"stand by", [] { return SetSystemPowerState(TRUE, TRUE); }, "Suspend"},
    {"hibernate", [] { return SetSystemPowerState(FALSE, TRUE); }, "Hibernate"},
    {"log off, forced", [] { return ExitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0); }, "TerminateSession"},
    {"log off", [] { return ExitWindowsEx(EWX_LOGOFF, 0); }, "TerminateSession"},
    {"reboot, forced", [] { return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0); }, "Reboot"},
    {"reboot if hung", [] { return ExitWindowsEx(EWX_REBOOT | EWX_FORCEIFHUNG, 0); }, "Reboot"},
    {"shut down, power off", [] { return ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0); }, "PowerOff"},
    {"shut down", [] { return ExitWindowsEx(EWX_SHUTDOWN, 0); }, "PowerOff"},
    {"power off", [] { return ExitWindowsEx(EWX_POWEROFF, 0); }, "PowerOff"},
};

}  // namespace

TEST_F(PowerTest, EachRequestAppendsOneLineNamingTheMethod) {
  for (const Request& r : kRequests) {
    size_t before = logged().size();
    SetLastError(0);
    EXPECT_TRUE(r.call()) << r.what;
    std::vector<std::string> lines = logged();
    ASSERT_EQ(lines.size(), before + 1) << r.what;
    EXPECT_EQ(firstWord(lines.back()), r.method) << r.what;
  }
}

TEST_F(PowerTest, LinesTellInteractiveFalseTheSessionAndTheProcess) {
  std::string pid = "pid=" + std::to_string(getpid());
  ASSERT_TRUE(SetSystemPowerState(TRUE, FALSE));
  ASSERT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
  setenv("XDG_SESSION_ID", "42", 1);
  ASSERT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
  EXPECT_EQ(logged(), (std::vector<std::string>{"Suspend interactive=false " + pid,
                                                "TerminateSession session=auto " + pid,
                                                "TerminateSession session=42 " + pid}));
}

TEST_F(PowerTest, UnknownOrContradictoryFlagsAreRefused) {
  for (UINT flags : {0x100u, 0x80000000u, EWX_REBOOT | EWX_SHUTDOWN, EWX_REBOOT | EWX_POWEROFF}) {
    EXPECT_FALSE(ExitWindowsEx(flags, 0)) << flags;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << flags;
  }
  EXPECT_TRUE(logged().empty());
}

TEST_F(PowerTest, AnUnwritableLogFailsEveryRequestAndNeverReachesLogind) {
  LogindMock mock;  // a logind that must hear nothing
  ASSERT_TRUE(mock.ready()) << mock.problem();
  std::filesystem::create_directory(folder_ + "/a-folder");
  struct Case {
    const char* what;
    std::string path;
    DWORD error;
  } cases[] = {{"empty", "", ERROR_PATH_NOT_FOUND},
               {"missing folder", folder_ + "/missing/requests.log", ERROR_PATH_NOT_FOUND},
               {"a folder", folder_ + "/a-folder", ERROR_ACCESS_DENIED},
               {"below a file", "/proc/version/requests.log", ERROR_PATH_NOT_FOUND}};
  for (const Case& c : cases) {
    setenv("VESPER_POWER_LOG", c.path.c_str(), 1);
    for (const Request& r : kRequests) {
      SetLastError(0);
      EXPECT_FALSE(r.call()) << c.what << ", " << r.what;
      EXPECT_EQ(GetLastError(), c.error) << c.what << ", " << r.what;
    }
  }
  EXPECT_TRUE(mock.calls().empty());
}

TEST_F(PowerTest, LinesOfConcurrentRequestsNeverMix) {
  constexpr int kThreads = 4, kEach = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < kEach; ++i) (t % 2 ? ExitWindowsEx(EWX_REBOOT, 0) : SetSystemPowerState(TRUE, TRUE));
    });
  for (std::thread& t : threads) t.join();
  std::vector<std::string> lines = logged();
  ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kEach));
  std::string pid = " pid=" + std::to_string(getpid());
  for (const std::string& line : lines)
    EXPECT_TRUE(line == "Reboot interactive=false" + pid || line == "Suspend interactive=false" + pid) << line;
}
