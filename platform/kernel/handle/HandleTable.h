// The process-wide table that turns handles into kernel objects. A handle carries its slot and the
// slot's generation, so a closed handle stays invalid even after its slot is reused. The table is
// never destroyed, so handles work until the very end of the process (pools close threads at exit).
#pragma once

#include <win/types.h>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::handle {

class HandleTable {
 public:
  // Takes over one reference of the object and returns its new handle; null when memory runs out.
  static HANDLE insert(KernelObject* object);
  // The named object with one more reference for the caller, or null for an unknown handle.
  static KernelObject* lookup(HANDLE handle);
  // Removes the handle and drops the table's reference; false for an unknown handle.
  static bool close(HANDLE handle);
};

}  // namespace platform::kernel::handle
