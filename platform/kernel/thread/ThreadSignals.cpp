#include "kernel/thread/ThreadSignals.h"

#include <errno.h>
#include <pthread.h>

#include <mutex>

#include "kernel/thread/ThreadObject.h"

namespace platform::kernel::thread {

namespace {

void onSuspend(int) {
  int savedErrno = errno;
  if (ThreadObject* self = ThreadObject::current()) self->parkWhileSuspended();
  errno = savedErrno;
}

void onTerminate(int) {
  // Does not return when the thread was asked to end.
  if (ThreadObject* self = ThreadObject::current()) self->abandonIfTerminating();
}

sigset_t makeBoth() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, ThreadSignals::suspendSignal());
  sigaddset(&set, ThreadSignals::terminateSignal());
  return set;
}

void installHandler(int signal, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  // Interrupted system calls of the thread go on after a suspension, as they would on Win32.
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

}  // namespace

int ThreadSignals::suspendSignal() { return SIGRTMIN + 6; }

int ThreadSignals::terminateSignal() { return SIGRTMIN + 7; }

const sigset_t& ThreadSignals::both() {
  static const sigset_t set = makeBoth();
  return set;
}

void ThreadSignals::install() {
  static std::once_flag once;
  std::call_once(once, [] {
    installHandler(suspendSignal(), onSuspend);
    installHandler(terminateSignal(), onTerminate);
  });
}

void ThreadSignals::unblock() { pthread_sigmask(SIG_UNBLOCK, &both(), nullptr); }

void ThreadSignals::block() { pthread_sigmask(SIG_BLOCK, &both(), nullptr); }

}  // namespace platform::kernel::thread
