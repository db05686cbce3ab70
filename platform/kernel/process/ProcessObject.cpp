#include "kernel/process/ProcessObject.h"

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <win/process.h>
#include <win/thread.h>

#include <cerrno>
#include <chrono>
#include <new>

#include "kernel/handle/HandleTable.h"

namespace platform::kernel::process {

namespace {

// Poll intervals while waiting without a pidfd.
constexpr int kIdPollMs = 10;

}  // namespace

ProcessObject::ProcessObject(pid_t pid, int pidfd, DWORD access) : pid_(pid), pidfd_(pidfd), access_(access) {}

ProcessObject::~ProcessObject() {
  if (pidfd_ >= 0) ::close(pidfd_);
}

int ProcessObject::openPidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  errno = ENOSYS;
  return -1;
#endif
}

bool ProcessObject::alive() const {
  if (pidfd_ >= 0) {
    pollfd entry{pidfd_, POLLIN, 0};
    return ::poll(&entry, 1, 0) == 0;
  }
  return ::kill(pid_, 0) == 0 || errno == EPERM;
}

DWORD ProcessObject::waitFor(DWORD timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const bool forever = timeoutMs == INFINITE;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
  for (;;) {
    int slice = kIdPollMs;
    if (!forever) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left < 0) left = 0;
      slice = left > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(left);
    }
    if (pidfd_ >= 0) {
      pollfd entry{pidfd_, POLLIN, 0};
      int ready = ::poll(&entry, 1, forever ? -1 : slice);
      if (ready > 0) return WAIT_OBJECT_0;
      if (ready < 0 && errno != EINTR) return WAIT_FAILED;
    } else {
      if (!alive()) return WAIT_OBJECT_0;
      Sleep(static_cast<DWORD>(slice < kIdPollMs ? slice : kIdPollMs));
    }
    if (!forever && Clock::now() >= deadline) return alive() ? WAIT_TIMEOUT : WAIT_OBJECT_0;
  }
}

ProcessObject* ProcessObject::fromHandle(HANDLE handle) {
  if (handle == GetCurrentProcess()) {
    return new (std::nothrow) ProcessObject(::getpid(), -1, PROCESS_ALL_ACCESS);
  }
  handle::KernelObject* object = handle::HandleTable::lookup(handle);
  if (!object) return nullptr;
  auto* process = dynamic_cast<ProcessObject*>(object);
  if (!process) object->releaseReference();
  return process;
}

}  // namespace platform::kernel::process
