#include "kernel/process/Snapshot.h"

#include "kernel/handle/HandleTable.h"

namespace platform::kernel::process {

namespace {

template <typename Entry>
bool step(std::vector<Entry>& list, size_t& cursor, bool restart, Entry& out) {
  if (restart) cursor = 0;
  if (cursor >= list.size()) return false;
  out = list[cursor++];
  return true;
}

}  // namespace

bool Snapshot::nextProcess(bool restart, PROCESSENTRY32W& out) {
  std::lock_guard<std::mutex> guard(mutex_);
  return step(processes, processCursor_, restart, out);
}

bool Snapshot::nextModule(bool restart, MODULEENTRY32W& out) {
  std::lock_guard<std::mutex> guard(mutex_);
  return step(modules, moduleCursor_, restart, out);
}

Snapshot* Snapshot::fromHandle(HANDLE handle) {
  handle::KernelObject* object = handle::HandleTable::lookup(handle);
  if (!object) return nullptr;
  auto* snapshot = dynamic_cast<Snapshot*>(object);
  if (!snapshot) object->releaseReference();
  return snapshot;
}

}  // namespace platform::kernel::process
