#include "kernel/token/TokenObject.h"

#include "kernel/handle/HandleTable.h"

namespace platform::kernel::token {

TokenObject* TokenObject::fromHandle(HANDLE handle) {
  handle::KernelObject* object = handle::HandleTable::lookup(handle);
  if (!object) return nullptr;
  auto* token = dynamic_cast<TokenObject*>(object);
  if (!token) object->releaseReference();
  return token;
}

}  // namespace platform::kernel::token
