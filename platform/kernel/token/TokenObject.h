// The kernel object behind a token handle: the rights the handle was opened with. The privileges
// themselves belong to the process's one token (ProcessToken).
#pragma once

#include <win/types.h>

#include "kernel/handle/KernelObject.h"

namespace platform::kernel::token {

class TokenObject : public handle::KernelObject {
 public:
  explicit TokenObject(DWORD access) : access_(access) {}
  DWORD access() const { return access_; }

  // The token a handle names, with one reference for the caller, or null.
  static TokenObject* fromHandle(HANDLE handle);

 protected:
  ~TokenObject() override = default;

 private:
  DWORD access_;
};

}  // namespace platform::kernel::token
