#include "kernel/thread/ThreadHandle.h"

#include <win/error.h>

#include "kernel/handle/HandleTable.h"

namespace platform::kernel::thread {

HANDLE ThreadHandle::pseudo() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }

ThreadHandle::ThreadHandle(HANDLE handle) {
  if (handle == pseudo()) {
    record = ThreadObject::current();
    if (record)
      record->addReference();
    else
      foreignSelf = true;
    return;
  }
  handle::KernelObject* object = handle::HandleTable::lookup(handle);
  if (!object) return;
  record = dynamic_cast<ThreadObject*>(object);
  if (!record) object->releaseReference();
}

ThreadHandle::~ThreadHandle() { dropReference(); }

bool ThreadHandle::failIfInvalid() const {
  if (record || foreignSelf) return false;
  SetLastError(ERROR_INVALID_HANDLE);
  return true;
}

void ThreadHandle::dropReference() {
  if (record) record->releaseReference();
  record = nullptr;
}

}  // namespace platform::kernel::thread
