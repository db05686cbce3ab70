// The kernel object behind a process handle. It holds a pidfd of the process, so the handle keeps
// naming that one process: once it has ended the object says so, even if its id is given to a new
// process. Waiting on it waits for the process to end.
#pragma once

#include <sys/types.h>
#include <win/types.h>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::process {

class ProcessObject : public handle::KernelObject {
 public:
  // pidfd may be -1 where the kernel offers none; the object then checks the id alone.
  ProcessObject(pid_t pid, int pidfd, DWORD access);

  pid_t pid() const { return pid_; }
  DWORD access() const { return access_; }
  // True while the process has not ended.
  bool alive() const;
  DWORD waitFor(DWORD timeoutMs) override;

  // The object of a process handle, with one reference for the caller, or null when the handle
  // names no process. The calling process's pseudo handle gives a fresh object of the own process.
  static ProcessObject* fromHandle(HANDLE handle);
  // Opens a pidfd of the process: the descriptor, or -1 with errno (ESRCH: no such process; ENOSYS:
  // the kernel has no pidfds, the caller goes on without one).
  static int openPidfd(pid_t pid);

 protected:
  ~ProcessObject() override;

 private:
  pid_t pid_;
  int pidfd_;
  DWORD access_;
};

}  // namespace platform::kernel::process
