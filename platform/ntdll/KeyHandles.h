// The process's table of native handles to registry keys and to the process token. A handle names a
// slot; the slot remembers the key's identifier in the hive, the access granted and the hive generation
// it was opened in, so that a handle from a hive that is no longer the current one is refused. Closed
// handle values stay stale for a long time rather than reaching a newer key.
#pragma once

#include <win/ntdll.h>

#include <cstdint>
#include <mutex>

#include "handles/HandleTable.h"

namespace ntdll {

class KeyHandles {
 public:
  enum class Kind { Free, Key, Token };

  struct Entry {
    Kind kind = Kind::Free;
    int64_t keyId = 0;
    ACCESS_MASK access = 0;
    uint64_t generation = 0;
  };

  static KeyHandles& instance();

  HANDLE add(const Entry& entry);
  // Copies the entry of a live handle of that kind; false for anything else.
  bool find(HANDLE handle, Kind kind, Entry& entry);
  // The key of a key handle that holds the needed rights and belongs to the hive generation given:
  // STATUS_INVALID_HANDLE or STATUS_ACCESS_DENIED otherwise.
  NTSTATUS keyOf(HANDLE handle, uint64_t generation, ACCESS_MASK needed, int64_t& keyId);
  // False when the handle is not open.
  bool remove(HANDLE handle);

 private:
  std::mutex lock_;
  platform::handles::HandleTable<Entry> table_;
};

}  // namespace ntdll
