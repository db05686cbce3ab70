// Tool-help snapshots: the process list, the module list of a process and the rules of reading them.
#include <gtest/gtest.h>
#include <unistd.h>
#include <win/windows.h>

#include <vector>

#include "ChildProcess.h"
#include "WidePath.h"

namespace {

std::vector<PROCESSENTRY32W> allProcesses() {
  std::vector<PROCESSENTRY32W> list;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return list;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    list.push_back(entry);
  CloseHandle(snapshot);
  return list;
}

// The path of a process's first module, or "" when no module snapshot can be taken.
std::string firstModulePath(DWORD pid, DWORD* error = nullptr) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snapshot == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return "";
  }
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::string path = Module32FirstW(snapshot, &entry) ? narrow(entry.szExePath) : "";
  CloseHandle(snapshot);
  return path;
}

void markerFunction() {}

}  // namespace

TEST(ProcessSnapshot, ListsTheIdleProcessFirstThenEveryProcessInIdOrder) {
  ChildProcess child;
  ASSERT_GT(child.pid(), 0);
  std::vector<PROCESSENTRY32W> list = allProcesses();
  ASSERT_GE(list.size(), 3u);
  EXPECT_EQ(list[0].th32ProcessID, 0u);
  EXPECT_EQ(narrow(list[0].szExeFile), "[System Process]");
  for (size_t i = 2; i < list.size(); ++i) EXPECT_LT(list[i - 1].th32ProcessID, list[i].th32ProcessID);

  const PROCESSENTRY32W* self = nullptr;
  const PROCESSENTRY32W* sleeper = nullptr;
  for (const PROCESSENTRY32W& e : list) {
    if (e.th32ProcessID == static_cast<DWORD>(getpid())) self = &e;
    if (e.th32ProcessID == static_cast<DWORD>(child.pid())) sleeper = &e;
  }
  ASSERT_NE(self, nullptr);
  ASSERT_NE(sleeper, nullptr);
  std::string exe = ownExecutable();
  EXPECT_EQ(narrow(self->szExeFile), exe.substr(exe.rfind('/') + 1));
  EXPECT_EQ(self->th32ParentProcessID, static_cast<DWORD>(getppid()));
  EXPECT_GE(self->cntThreads, 1u);
  EXPECT_EQ(narrow(sleeper->szExeFile), "sleep");
  EXPECT_EQ(sleeper->th32ParentProcessID, static_cast<DWORD>(getpid()));
}

TEST(ProcessSnapshot, FirstModuleIsTheExecutableAndCoversItsCode) {
  for (DWORD pid : {0u, static_cast<DWORD>(getpid())}) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE) << pid;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    ASSERT_TRUE(Module32FirstW(snapshot, &entry));
    std::string exe = ownExecutable();
    EXPECT_EQ(narrow(entry.szExePath), exe);
    EXPECT_EQ(narrow(entry.szModule), exe.substr(exe.rfind('/') + 1));
    EXPECT_EQ(entry.th32ProcessID, static_cast<DWORD>(getpid()));
    auto code = reinterpret_cast<BYTE*>(&markerFunction);
    EXPECT_LE(entry.modBaseAddr, code);
    EXPECT_LT(code, entry.modBaseAddr + entry.modBaseSize);
    // The C library is mapped too, after the executable.
    bool sawLibc = false;
    while (Module32NextW(snapshot, &entry)) {
      EXPECT_NE(narrow(entry.szExePath), exe);
      if (narrow(entry.szModule).rfind("libc", 0) == 0) sawLibc = true;
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(sawLibc);
    CloseHandle(snapshot);
  }
}

TEST(ProcessSnapshot, FindsAnotherProcessByTheExecutablePath) {
  ChildProcess child;
  ASSERT_GT(child.pid(), 0);
  EXPECT_EQ(firstModulePath(static_cast<DWORD>(child.pid())), realPath("/bin/sleep"));
  child.end();
}

TEST(ProcessSnapshot, ModuleSnapshotOfAMissingProcessFails) {
  ChildProcess child;
  DWORD gone = static_cast<DWORD>(child.pid());
  child.end();
  struct Case {
    const char* what;
    DWORD pid;
  } cases[] = {{"ended child", gone}, {"id beyond the kernel's range", 0x7FFFFFF0u}, {"negative as pid_t", 0xFFFFFFF0u}};
  for (const Case& c : cases) {
    DWORD error = 0;
    EXPECT_EQ(firstModulePath(c.pid, &error), "") << c.what;
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << c.what;
  }
}

TEST(ProcessSnapshot, EntriesNeedTheirSizeAndEndWithNoMoreFiles) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPMODULE, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  struct Case {
    DWORD size;
    BOOL ok;
  } sizes[] = {{0, FALSE}, {sizeof(PROCESSENTRY32W) - 1, FALSE}, {sizeof(PROCESSENTRY32W) + 4, FALSE},
               {sizeof(PROCESSENTRY32W), TRUE}};
  for (const Case& c : sizes) {
    PROCESSENTRY32W entry{};
    entry.dwSize = c.size;
    EXPECT_EQ(Process32FirstW(snapshot, &entry), c.ok) << c.size;
    if (!c.ok) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_LENGTH));
    }
  }
  EXPECT_FALSE(Process32FirstW(snapshot, nullptr));

  // Reading to the end, then restarting, gives the same first entry again.
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  ASSERT_TRUE(Process32FirstW(snapshot, &entry));
  while (Process32NextW(snapshot, &entry)) {
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  ASSERT_TRUE(Process32FirstW(snapshot, &entry));
  EXPECT_EQ(entry.th32ProcessID, 0u);

  // Module entries are read independently of process entries.
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  EXPECT_TRUE(Module32FirstW(snapshot, &module));
  ASSERT_TRUE(CloseHandle(snapshot));
  EXPECT_FALSE(Process32NextW(snapshot, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ProcessSnapshot, AProcessOnlySnapshotHasNoModules) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  EXPECT_FALSE(Module32FirstW(snapshot, &module));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  CloseHandle(snapshot);
}
