// Process handles: opening a process, its id and executable, and the calling process's identity.
#include <unistd.h>
#include <win/error.h>
#include <win/process.h>
#include <win/thread.h>

#include <cerrno>
#include <new>
#include <string>

#include "kernel/handle/HandleTable.h"
#include "kernel/process/ProcFs.h"
#include "kernel/process/ProcessObject.h"
#include "kernel/process/WideText.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::process::ProcessObject;
using platform::kernel::process::ProcFs;
using platform::kernel::process::WideText;

namespace {

// Only the processes of the same user are open to inspection; root may inspect every process.
bool mayInspect(pid_t pid) {
  uid_t uid = 0;
  if (!ProcFs::owner(pid, uid)) return false;
  uid_t self = ::geteuid();
  return self == 0 || uid == self;
}

// Releases the caller's reference of a process object when the scope ends.
struct ProcessRef {
  ProcessObject* object;
  ~ProcessRef() {
    if (object) object->releaseReference();
  }
};

}  // namespace

HANDLE WINAPI GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

HANDLE WINAPI OpenProcess(DWORD desiredAccess, BOOL, DWORD processId) {
  if (processId == 0 || processId > 0x7FFFFFFFu) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  pid_t pid = static_cast<pid_t>(processId);
  // The pidfd first: if the id is reused meanwhile, the checks below see that the process is gone.
  int pidfd = ProcessObject::openPidfd(pid);
  if (pidfd < 0 && errno == ESRCH) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* object = new (std::nothrow) ProcessObject(pid, pidfd, desiredAccess);
  if (!object) {
    if (pidfd >= 0) ::close(pidfd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  bool allowed = mayInspect(pid);
  if (!object->alive()) {
    object->releaseReference();
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!allowed) {
    object->releaseReference();
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  HANDLE handle = HandleTable::insert(object);
  if (!handle) {
    object->releaseReference();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  }
  return handle;
}

DWORD WINAPI GetProcessId(HANDLE process) {
  ProcessRef ref{ProcessObject::fromHandle(process)};
  if (!ref.object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return static_cast<DWORD>(ref.object->pid());
}

DWORD WINAPI GetProcessImageFileNameW(HANDLE process, LPWSTR imageFileName, DWORD size) {
  ProcessRef ref{ProcessObject::fromHandle(process)};
  if (!ref.object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!(ref.object->access() & (PROCESS_QUERY_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }
  if (!imageFileName && size > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string path;
  int failure = ProcFs::executable(ref.object->pid(), path);
  // Still alive after the read: the path belongs to this process, not to a successor with its id.
  if (!ref.object->alive()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (failure != 0) {
    SetLastError(failure == EACCES || failure == EPERM ? ERROR_ACCESS_DENIED : ERROR_PARTIAL_COPY);
    return 0;
  }
  std::u16string wide = WideText::fromUtf8(path);
  if (wide.size() + 1 > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  WideText::copyTo(wide, imageFileName, size);
  return static_cast<DWORD>(wide.size());
}

DWORD WINAPI WaitForInputIdle(HANDLE process, DWORD) {
  ProcessRef ref{ProcessObject::fromHandle(process)};
  if (!ref.object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return 0;
}
