#include "kernel/handle/KernelObject.h"

#include <win/error.h>
#include <win/thread.h>

namespace platform::kernel::handle {

KernelObject::~KernelObject() = default;

void KernelObject::addReference() { references.fetch_add(1, std::memory_order_relaxed); }

void KernelObject::releaseReference() {
  if (references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

DWORD KernelObject::waitFor(DWORD) {
  SetLastError(ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}

}  // namespace platform::kernel::handle
