// A piece of work that a worker thread runs. The thread calls run without holding any lock, so a task
// must tolerate its owner changing the task's own state (a stop flag, say) while it runs.
#pragma once

namespace s::thread {

class ITask {
 public:
  virtual ~ITask() = default;
  virtual void run() = 0;
};

}  // namespace s::thread
