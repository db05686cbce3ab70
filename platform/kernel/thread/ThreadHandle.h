// Resolves a thread handle for one API call: a real handle from the table, or the pseudo handle of
// the calling thread. Holds a reference to the record while the call runs, so a concurrent
// CloseHandle cannot free it underneath.
#pragma once

#include <win/types.h>

#include "kernel/thread/ThreadObject.h"

namespace platform::kernel::thread {

class ThreadHandle {
 public:
  // The pseudo handle that GetCurrentThread returns.
  static HANDLE pseudo();

  explicit ThreadHandle(HANDLE handle);
  ~ThreadHandle();
  ThreadHandle(const ThreadHandle&) = delete;
  ThreadHandle& operator=(const ThreadHandle&) = delete;

  // The record, or null for an invalid handle and for the pseudo handle of a thread that CreateThread
  // did not make.
  ThreadObject* object() const { return record; }
  // True for the pseudo handle on a thread without a record (the main thread, for instance).
  bool isForeignSelf() const { return foreignSelf; }
  // Neither a record nor the calling foreign thread: sets ERROR_INVALID_HANDLE and answers true.
  bool failIfInvalid() const;
  // Drops the reference early (before a call that does not return).
  void dropReference();

 private:
  ThreadObject* record = nullptr;
  bool foreignSelf = false;
};

}  // namespace platform::kernel::thread
