#include "user/QueueRegistry.h"

#include "user/InputRouter.h"
#include "user/WindowManager.h"

#include <win/sync.h>

#include <map>
#include <mutex>

namespace platform::user {

namespace {

struct Registry {
  std::mutex mutex;
  std::map<DWORD, std::weak_ptr<MessageQueue>> queues;
};

Registry& registry() {
  static Registry* r = new Registry();  // outlives every thread's clean-up
  return *r;
}

// Ends the thread's part in the window system when the thread ends.
struct ThreadQueueHolder {
  std::shared_ptr<MessageQueue> queue;
  ~ThreadQueueHolder() {
    if (!queue) return;
    WindowManager::instance().destroyThreadWindows(queue->threadId());
    queue->shutdown();
    {
      std::lock_guard lock(registry().mutex);
      registry().queues.erase(queue->threadId());
    }
    // Input in flight to this thread stops waiting for it; the watcher routes what comes next.
    queue.reset();
    InputRouter::instance().queueEnded();
  }
};

thread_local ThreadQueueHolder holder;

}  // namespace

std::shared_ptr<MessageQueue> QueueRegistry::current() {
  if (!holder.queue) {
    auto queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
    std::lock_guard lock(registry().mutex);
    registry().queues[queue->threadId()] = queue;
    holder.queue = queue;
  }
  return holder.queue;
}

std::shared_ptr<MessageQueue> QueueRegistry::forThread(DWORD threadId) {
  std::lock_guard lock(registry().mutex);
  auto it = registry().queues.find(threadId);
  return it == registry().queues.end() ? nullptr : it->second.lock();
}

}  // namespace platform::user
