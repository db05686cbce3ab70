// Process handles: opening, the image file name, waiting, and what another user's process allows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <win/windows.h>

#include "ChildProcess.h"
#include "WidePath.h"

TEST(ProcessHandle, TheOwnProcessAnswersItsIdAndExecutable) {
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
  for (HANDLE process : {GetCurrentProcess(), OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId())}) {
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(GetProcessId(process), GetCurrentProcessId());
    WCHAR path[4096];
    DWORD n = GetProcessImageFileNameW(process, path, 4096);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(narrow(path), ownExecutable());
    EXPECT_EQ(n, ownExecutable().size());
    EXPECT_TRUE(CloseHandle(process));
  }
}

TEST(ProcessHandle, ImageFileNameNeedsRoomForTheTerminator) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  ASSERT_NE(process, nullptr);
  DWORD length = static_cast<DWORD>(ownExecutable().size());
  struct Case {
    DWORD size;
    DWORD answer;
  } cases[] = {{0, 0}, {1, 0}, {length, 0}, {length + 1, length}};
  for (const Case& c : cases) {
    WCHAR path[4096] = {u'x'};
    SetLastError(0);
    EXPECT_EQ(GetProcessImageFileNameW(process, c.size ? path : nullptr, c.size), c.answer) << c.size;
    if (c.answer == 0) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    }
  }
  CloseHandle(process);
}

TEST(ProcessHandle, OpeningFailsClearly) {
  ChildProcess child;
  DWORD gone = static_cast<DWORD>(child.pid());
  child.end();
  struct Case {
    const char* what;
    DWORD pid;
    DWORD error;
  } cases[] = {{"the idle process", 0, ERROR_INVALID_PARAMETER},
               {"an ended child", gone, ERROR_INVALID_PARAMETER},
               {"an id beyond the kernel's range", 0x7FFFFFF0u, ERROR_INVALID_PARAMETER},
               {"an id negative as pid_t", 0x80000000u, ERROR_INVALID_PARAMETER}};
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, c.pid), nullptr) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(ProcessHandle, QueriesNeedQueryAccess) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, GetCurrentProcessId());
  ASSERT_NE(process, nullptr);
  WCHAR path[4096];
  EXPECT_EQ(GetProcessImageFileNameW(process, path, 4096), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(GetProcessId(process), GetCurrentProcessId());
  CloseHandle(process);
}

TEST(ProcessHandle, KeepsNamingTheProcessAfterItEnds) {
  ChildProcess child;
  ASSERT_GT(child.pid(), 0);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, static_cast<DWORD>(child.pid()));
  ASSERT_NE(process, nullptr);
  WCHAR path[4096];
  ASSERT_GT(GetProcessImageFileNameW(process, path, 4096), 0u);
  EXPECT_EQ(narrow(path), realPath("/bin/sleep"));
  EXPECT_EQ(WaitForInputIdle(process, INFINITE), 0u);
  EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(process, 20), WAIT_TIMEOUT);

  child.end();
  EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(GetProcessImageFileNameW(process, path, 4096), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(CloseHandle(process));
  EXPECT_FALSE(CloseHandle(process));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ProcessHandle, HandlesOfOtherKindsAreNoProcesses) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  WCHAR path[16];
  for (HANDLE h : {snapshot, static_cast<HANDLE>(nullptr), reinterpret_cast<HANDLE>(0x1234500)}) {
    EXPECT_EQ(GetProcessImageFileNameW(h, path, 16), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForInputIdle(h, 0), WAIT_FAILED);
    EXPECT_EQ(GetProcessId(h), 0u);
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  EXPECT_FALSE(Process32FirstW(process, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(process);
  CloseHandle(snapshot);
}

// Checks, as a user that is not root, that a process of root (pid 1) can be neither opened nor
// listed by its modules, while it still shows in the process list. Answers a failed check's number.
int checkAnotherUsersProcess() {
  if (geteuid() == 0) return 10;
  if (OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, 1) != nullptr) return 1;
  if (GetLastError() != static_cast<DWORD>(ERROR_ACCESS_DENIED)) return 2;
  if (CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 1) != INVALID_HANDLE_VALUE) return 3;
  if (GetLastError() != static_cast<DWORD>(ERROR_ACCESS_DENIED)) return 4;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 5;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool listed = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ProcessID == 1) listed = true;
  CloseHandle(snapshot);
  return listed ? 0 : 6;
}

TEST(ProcessHandle, AnotherUsersProcessDoesNotOpen) {
  uid_t owner = 0;
  {
    std::string status = "/proc/1";
    struct stat info {};
    ASSERT_EQ(stat(status.c_str(), &info), 0);
    owner = info.st_uid;
  }
  if (geteuid() != 0) {
    if (owner == geteuid()) GTEST_SKIP() << "pid 1 belongs to this user";
    EXPECT_EQ(checkAnotherUsersProcess(), 0);
    return;
  }
  // As root, the check runs in a child that has become the unprivileged user "nobody".
  if (owner != 0) GTEST_SKIP() << "pid 1 does not belong to root";
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(20);
    _exit(checkAnotherUsersProcess());
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
