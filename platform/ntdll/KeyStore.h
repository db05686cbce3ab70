// The hive's keys and values as rows: lookups, creation, deletion, renaming and enumeration. Every
// operation runs inside the caller's transaction on the caller's session.
#pragma once

#include <win/ntdll.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ntdll/Hive.h"
#include "ntdll/RegistryName.h"

namespace ntdll {

struct KeyRecord {
  int64_t id = 0;
  int64_t parent = 0;
  std::u16string name;
  std::string keyClass;  // the class's UTF-16 bytes
  int64_t lastWrite = 0;
};

struct KeyStatistics {
  ULONG subKeys = 0, maxNameBytes = 0, maxClassBytes = 0;
  ULONG values = 0, maxValueNameBytes = 0, maxValueDataBytes = 0;
};

struct ValueRecord {
  int64_t id = 0;
  std::u16string name;
  ULONG type = 0;
  const void* data = nullptr;  // valid while the query that found it lives
  size_t size = 0;
};

class KeyStore {
 public:
  explicit KeyStore(Hive::Session& session) : session_(session) {}

  // STATUS_KEY_DELETED when the key is gone.
  NTSTATUS record(int64_t id, KeyRecord& out);
  NTSTATUS exists(int64_t id);
  // Walks the segments from a key; STATUS_OBJECT_NAME_NOT_FOUND when one is missing, and then missingAt
  // tells which.
  NTSTATUS resolve(int64_t from, const std::vector<RegistryName>& segments, size_t count, int64_t& id,
                   size_t* missingAt = nullptr);
  NTSTATUS findChild(int64_t parent, const std::string& folded, int64_t& id);
  NTSTATUS createChild(int64_t parent, const RegistryName& name, const std::string& keyClass, int64_t& id);
  NTSTATUS touch(int64_t id);
  NTSTATUS hasChildren(int64_t id, bool& any);
  NTSTATUS remove(int64_t id);
  NTSTATUS rename(int64_t id, const RegistryName& name);
  // STATUS_NO_MORE_ENTRIES past the last sub-key; sub-keys are ordered by folded name.
  NTSTATUS childAt(int64_t parent, ULONG index, KeyRecord& out);
  NTSTATUS statistics(int64_t id, KeyStatistics& out);
  // The full native name, "\REGISTRY\...".
  NTSTATUS fullName(int64_t id, std::u16string& out);

  // True when the key (which must exist) is one of the fixed top keys that cannot be removed or renamed.
  bool isProtected(const KeyRecord& key) const;
  // True when new sub-keys may not be made directly below this key.
  bool refusesChildren(int64_t id) const;

 private:
  Hive::Session& session_;
};

}  // namespace ntdll
