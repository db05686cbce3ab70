// The kernel object behind a tool-help snapshot: the process and module entries as they were when the
// snapshot was taken, and a read position for each list.
#pragma once

#include <win/process.h>

#include <mutex>
#include <vector>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::process {

class Snapshot : public handle::KernelObject {
 public:
  std::vector<PROCESSENTRY32W> processes;
  std::vector<MODULEENTRY32W> modules;

  // Copies the first (restart) or next entry into *out; false at the end of the list.
  bool nextProcess(bool restart, PROCESSENTRY32W& out);
  bool nextModule(bool restart, MODULEENTRY32W& out);

  // The snapshot a handle names, with one reference for the caller, or null.
  static Snapshot* fromHandle(HANDLE handle);

 protected:
  ~Snapshot() override = default;

 private:
  std::mutex mutex_;
  size_t processCursor_ = 0;
  size_t moduleCursor_ = 0;
};

}  // namespace platform::kernel::process
