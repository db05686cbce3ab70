#include "kernel/file/FileObject.h"

#include <win/error.h>

#include <unistd.h>

#include "kernel/handle/HandleTable.h"

namespace platform::kernel::file {

FileObject::~FileObject() {
  if (descriptor >= 0) ::close(descriptor);
}

FileObject* FileObject::lookup(HANDLE handle) {
  handle::KernelObject* object = handle::HandleTable::lookup(handle);
  auto* file = dynamic_cast<FileObject*>(object);
  if (!file) {
    // A handle of another kind (a thread) is not a file.
    if (object) object->releaseReference();
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return file;
}

}  // namespace platform::kernel::file
