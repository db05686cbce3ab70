#include "kernel/thread/SignalBlock.h"

#include <pthread.h>

#include "kernel/thread/ThreadSignals.h"

namespace platform::kernel::thread {

SignalBlock::SignalBlock() { pthread_sigmask(SIG_BLOCK, &ThreadSignals::both(), &previous); }

SignalBlock::~SignalBlock() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }

}  // namespace platform::kernel::thread
