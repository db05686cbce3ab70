// The base of every object that a handle of the platform can name. It counts its references (one per
// table entry and one per user in flight) and deletes itself when the last one goes, so closing a
// handle while another thread still uses the object is safe.
#pragma once

#include <win/types.h>

#include <atomic>

namespace platform::kernel::handle {

class KernelObject {
 public:
  KernelObject() = default;
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;

  void addReference();
  // Drops one reference; the last one deletes the object.
  void releaseReference();

  // Waits up to timeoutMs for the object to be signalled. Objects that cannot be waited on fail
  // with ERROR_INVALID_HANDLE.
  virtual DWORD waitFor(DWORD timeoutMs);

 protected:
  virtual ~KernelObject();

 private:
  std::atomic<int32_t> references{1};
};

}  // namespace platform::kernel::handle
