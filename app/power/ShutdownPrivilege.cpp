#include "power/ShutdownPrivilege.h"

#include <win/process.h>
#include <win/security.h>
#include <win/thread.h>

#include "base/thread/ObjLocker.h"

namespace s::system::vesper {

namespace {

// Made on first use, which C++ makes safe between threads, and destroyed at process exit.
s::thread::ObjLocker& privilegeLock() {
  static s::thread::ObjLocker lock;
  return lock;
}

bool privilegeDone = false;

void adjustToken() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  }
  // The privilege belongs to the process, not to the handle: closing it keeps the privilege enabled.
  CloseHandle(token);
}

}  // namespace

void enableShutdownPrivilege() {
  s::thread::ObjLocker::Scope scope(privilegeLock());
  if (privilegeDone) return;
  adjustToken();
  // A failure is not retried: the action that follows simply fails as the system decides.
  privilegeDone = true;
}

}  // namespace s::system::vesper
