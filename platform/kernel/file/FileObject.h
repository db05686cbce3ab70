// An open file named by a handle: it owns one POSIX file descriptor and closes it when the last
// reference goes, so CloseHandle on a file works through the common handle table.
#pragma once

#include <win/types.h>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::file {

class FileObject : public handle::KernelObject {
 public:
  explicit FileObject(int descriptor) : descriptor(descriptor) {}

  int fd() const { return descriptor; }

  // The file behind a handle with one reference for the caller (release it with
  // releaseReference), or null with ERROR_INVALID_HANDLE when the handle names no open file.
  static FileObject* lookup(HANDLE handle);

 protected:
  ~FileObject() override;

 private:
  int descriptor;
};

}  // namespace platform::kernel::file
