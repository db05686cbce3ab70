// The process token: naming privileges, opening the token and adjusting its privileges.
#include <gtest/gtest.h>
#include <win/windows.h>

#include <vector>

#include "../process/ChildProcess.h"

namespace {

LUID privilege(const char16_t* name) {
  LUID id{};
  LookupPrivilegeValueW(nullptr, name, &id);
  return id;
}

HANDLE openToken(DWORD access = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY) {
  HANDLE token = nullptr;
  return OpenProcessToken(GetCurrentProcess(), access, &token) ? token : nullptr;
}

// Sets one privilege's enabled state; answers AdjustTokenPrivileges' result and last error.
std::pair<BOOL, DWORD> setEnabled(HANDLE token, LUID id, bool enabled) {
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0].Luid = id;
  list.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
  BOOL ok = AdjustTokenPrivileges(token, FALSE, &list, 0, nullptr, nullptr);
  return {ok, GetLastError()};
}

// The previous attributes of a privilege, read by setting it to the same state again.
bool isEnabled(HANDLE token, LUID id) {
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0].Luid = id;
  list.Privileges[0].Attributes = 0;
  TOKEN_PRIVILEGES previous{};
  DWORD length = 0;
  AdjustTokenPrivileges(token, FALSE, &list, sizeof previous, &previous, &length);
  bool was = previous.PrivilegeCount == 1 && (previous.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED);
  if (was) setEnabled(token, id, true);
  return was;
}

}  // namespace

TEST(Token, LooksUpPrivilegesByNameIgnoringCase) {
  struct Case {
    const char16_t* system;
    const char16_t* name;
    BOOL ok;
    DWORD id;
    DWORD error;
  } cases[] = {
      {nullptr, u"SeShutdownPrivilege", TRUE, 19, 0},
      {u"", u"seshutdownPRIVILEGE", TRUE, 19, 0},
      {nullptr, SE_DEBUG_NAME, TRUE, 20, 0},
      {nullptr, SE_CHANGE_NOTIFY_NAME, TRUE, 23, 0},
      {nullptr, SE_REMOTE_SHUTDOWN_NAME, TRUE, 24, 0},
      {nullptr, u"SeShutdown", FALSE, 0, ERROR_NO_SUCH_PRIVILEGE},
      {nullptr, u"", FALSE, 0, ERROR_NO_SUCH_PRIVILEGE},
      {u"otherhost", u"SeShutdownPrivilege", FALSE, 0, ERROR_NOT_SUPPORTED},
  };
  for (const Case& c : cases) {
    LUID id{0xDEAD, 7};
    SetLastError(0);
    EXPECT_EQ(LookupPrivilegeValueW(c.system, c.name, &id), c.ok);
    if (c.ok) {
      EXPECT_EQ(id.LowPart, c.id);
      EXPECT_EQ(id.HighPart, 0);
    } else {
      EXPECT_EQ(GetLastError(), c.error);
    }
  }
  LUID id{};
  EXPECT_FALSE(LookupPrivilegeValueW(nullptr, nullptr, &id));
  EXPECT_FALSE(LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, nullptr));
}

TEST(Token, OpensOnlyTheOwnProcessToken) {
  HANDLE token = nullptr;
  EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_TRUE(CloseHandle(token));

  HANDLE own = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  EXPECT_TRUE(OpenProcessToken(own, TOKEN_QUERY, &token));
  CloseHandle(token);
  CloseHandle(own);

  ChildProcess child;
  HANDLE other = OpenProcess(PROCESS_ALL_ACCESS, FALSE, static_cast<DWORD>(child.pid()));
  HANDLE ownWithoutQuery = OpenProcess(PROCESS_TERMINATE, FALSE, GetCurrentProcessId());
  struct Case {
    const char* what;
    HANDLE process;
    DWORD error;
  } cases[] = {{"another process", other, ERROR_ACCESS_DENIED},
               {"own process without query access", ownWithoutQuery, ERROR_ACCESS_DENIED},
               {"null handle", nullptr, ERROR_INVALID_HANDLE},
               {"made-up handle", reinterpret_cast<HANDLE>(0x4440), ERROR_INVALID_HANDLE}};
  for (const Case& c : cases) {
    token = reinterpret_cast<HANDLE>(0x1);
    EXPECT_FALSE(OpenProcessToken(c.process, TOKEN_QUERY, &token)) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
    EXPECT_EQ(token, nullptr) << c.what;
  }
  EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  CloseHandle(other);
  CloseHandle(ownWithoutQuery);
}

TEST(Token, EnablesTheShutdownPrivilegeForEveryHandleOfTheProcess) {
  HANDLE first = openToken();
  HANDLE second = openToken();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  LUID shutdown = privilege(SE_SHUTDOWN_NAME);
  setEnabled(first, shutdown, false);
  EXPECT_FALSE(isEnabled(second, shutdown));

  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0].Luid = shutdown;
  list.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous{};
  DWORD length = 0;
  SetLastError(1234);
  ASSERT_TRUE(AdjustTokenPrivileges(first, FALSE, &list, sizeof previous, &previous, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(previous.PrivilegeCount, 1u);
  EXPECT_EQ(previous.Privileges[0].Luid.LowPart, shutdown.LowPart);
  EXPECT_EQ(previous.Privileges[0].Attributes, 0u);
  EXPECT_EQ(length, sizeof(TOKEN_PRIVILEGES));
  EXPECT_TRUE(isEnabled(second, shutdown));

  // Enabling it again changes nothing, so no previous state is reported.
  ASSERT_TRUE(AdjustTokenPrivileges(second, FALSE, &list, sizeof previous, &previous, &length));
  EXPECT_EQ(previous.PrivilegeCount, 0u);
  CloseHandle(first);
  CloseHandle(second);
}

TEST(Token, PrivilegesThatAreNotHeldAreNotAssigned) {
  HANDLE token = openToken();
  ASSERT_NE(token, nullptr);
  // One held, one not held, one unknown identifier: the held one still changes.
  std::vector<BYTE> room(sizeof(TOKEN_PRIVILEGES) + 2 * sizeof(LUID_AND_ATTRIBUTES));
  auto* list = reinterpret_cast<TOKEN_PRIVILEGES*>(room.data());
  list->PrivilegeCount = 3;
  list->Privileges[0] = {privilege(SE_DEBUG_NAME), SE_PRIVILEGE_ENABLED};
  list->Privileges[1] = {privilege(SE_TIME_ZONE_NAME), SE_PRIVILEGE_ENABLED};
  list->Privileges[2] = {LUID{999, 0}, SE_PRIVILEGE_ENABLED};
  setEnabled(token, privilege(SE_TIME_ZONE_NAME), false);
  EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, list, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
  EXPECT_TRUE(isEnabled(token, privilege(SE_TIME_ZONE_NAME)));
  EXPECT_FALSE(isEnabled(token, privilege(SE_DEBUG_NAME)));
  CloseHandle(token);
}

TEST(Token, AdjustingChecksRightsAndBuffers) {
  HANDLE queryOnly = openToken(TOKEN_QUERY);
  HANDLE adjustOnly = openToken(TOKEN_ADJUST_PRIVILEGES);
  HANDLE both = openToken();
  LUID shutdown = privilege(SE_SHUTDOWN_NAME);
  setEnabled(both, shutdown, false);
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0] = {shutdown, SE_PRIVILEGE_ENABLED};
  TOKEN_PRIVILEGES previous{};
  DWORD length = 0;

  EXPECT_FALSE(AdjustTokenPrivileges(queryOnly, FALSE, &list, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(AdjustTokenPrivileges(adjustOnly, FALSE, &list, sizeof previous, &previous, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(AdjustTokenPrivileges(nullptr, FALSE, &list, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(AdjustTokenPrivileges(both, FALSE, nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(isEnabled(both, shutdown));

  // A previous-state buffer too small for the change: nothing changes, the size needed is told.
  length = 0;
  EXPECT_FALSE(AdjustTokenPrivileges(both, FALSE, &list, sizeof(DWORD), &previous, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(length, sizeof(TOKEN_PRIVILEGES));
  EXPECT_FALSE(isEnabled(both, shutdown));

  EXPECT_TRUE(AdjustTokenPrivileges(adjustOnly, FALSE, &list, 0, nullptr, nullptr));
  EXPECT_TRUE(isEnabled(both, shutdown));
  for (HANDLE h : {queryOnly, adjustOnly, both}) CloseHandle(h);
}

TEST(Token, DisablingAllAndRemoving) {
  HANDLE token = openToken();
  LUID shutdown = privilege(SE_SHUTDOWN_NAME);
  LUID notify = privilege(SE_CHANGE_NOTIFY_NAME);
  setEnabled(token, shutdown, true);
  std::vector<BYTE> room(sizeof(TOKEN_PRIVILEGES) + 8 * sizeof(LUID_AND_ATTRIBUTES));
  auto* previous = reinterpret_cast<TOKEN_PRIVILEGES*>(room.data());
  DWORD length = 0;
  ASSERT_TRUE(AdjustTokenPrivileges(token, TRUE, nullptr, static_cast<DWORD>(room.size()), previous, &length));
  EXPECT_GE(previous->PrivilegeCount, 2u);  // shutdown and change-notify were enabled
  EXPECT_FALSE(isEnabled(token, shutdown));
  EXPECT_FALSE(isEnabled(token, notify));

  // A removed privilege can never be enabled again in this process.
  LUID undock = privilege(SE_UNDOCK_NAME);
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0] = {undock, SE_PRIVILEGE_REMOVED};
  ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &list, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  auto [ok, error] = setEnabled(token, undock, true);
  EXPECT_TRUE(ok);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
  setEnabled(token, notify, true);
  CloseHandle(token);
}
