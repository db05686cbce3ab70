// The shutdown privilege: power requests fail until it is enabled; logging off needs none.
#include "PowerFixture.h"

TEST_F(PowerTest, RequestsWithoutTheShutdownPrivilegeFailAndSendNothing) {
  setShutdownPrivilege(false);
  struct Case {
    const char* what;
    BOOL (*call)();
  } cases[] = {
      {"stand by", [] { return SetSystemPowerState(TRUE, TRUE); }},
      {"hibernate", [] { return SetSystemPowerState(FALSE, TRUE); }},
      {"reboot", [] { return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0); }},
      {"shut down", [] { return ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0); }},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD)) << c.what;
  }
  EXPECT_TRUE(logged().empty());

  // Logging off is the user's own business, as on the documented system.
  EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0));
  ASSERT_EQ(logged().size(), 1u);

  setShutdownPrivilege(true);
  for (const auto& c : cases) EXPECT_TRUE(c.call()) << c.what;
  std::vector<std::string> lines = logged();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(firstWord(lines[1]), "Suspend");
  EXPECT_EQ(firstWord(lines[4]), "PowerOff");
}

TEST_F(PowerTest, DisablingThePrivilegeAgainStopsRequests) {
  EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
  setShutdownPrivilege(false);
  EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD));
  EXPECT_EQ(logged().size(), 1u);
}
