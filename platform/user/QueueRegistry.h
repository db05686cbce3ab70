// Finds the message queue of a thread. A thread's queue is made the first time it needs one and
// lives until the thread ends; then the thread's windows are destroyed and waiting senders answered.
#pragma once

#include "user/MessageQueue.h"

#include <memory>

namespace platform::user {

class QueueRegistry {
 public:
  // The calling thread's queue, made on first use.
  static std::shared_ptr<MessageQueue> current();
  // The queue of a thread, or null when that thread has none (yet or any more).
  static std::shared_ptr<MessageQueue> forThread(DWORD threadId);
};

}  // namespace platform::user
