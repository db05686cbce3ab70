#include "ntdll/KeyHandles.h"

namespace ntdll {

namespace {

HANDLE handleOf(uint32_t value) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)); }

// Values outside 32 bits were never given out.
bool valueOf(HANDLE handle, uint32_t& value) {
  auto raw = reinterpret_cast<uintptr_t>(handle);
  if (raw == 0 || raw > 0xFFFFFFFFu) return false;
  value = static_cast<uint32_t>(raw);
  return true;
}

}  // namespace

KeyHandles& KeyHandles::instance() {
  static KeyHandles* table = new KeyHandles();  // outlives static destructors that may close handles
  return *table;
}

HANDLE KeyHandles::add(const Entry& entry) {
  std::lock_guard<std::mutex> guard(lock_);
  return handleOf(table_.add(std::make_unique<Entry>(entry)));
}

bool KeyHandles::find(HANDLE handle, Kind kind, Entry& entry) {
  uint32_t value;
  if (!valueOf(handle, value)) return false;
  std::lock_guard<std::mutex> guard(lock_);
  const Entry* found = table_.find(value);
  if (!found || found->kind != kind) return false;
  entry = *found;
  return true;
}

NTSTATUS KeyHandles::keyOf(HANDLE handle, uint64_t generation, ACCESS_MASK needed, int64_t& keyId) {
  Entry entry;
  if (!find(handle, Kind::Key, entry) || entry.generation != generation) return STATUS_INVALID_HANDLE;
  if ((entry.access & needed) != needed) return STATUS_ACCESS_DENIED;
  keyId = entry.keyId;
  return STATUS_SUCCESS;
}

bool KeyHandles::remove(HANDLE handle) {
  uint32_t value;
  if (!valueOf(handle, value)) return false;
  std::lock_guard<std::mutex> guard(lock_);
  return table_.remove(value) != nullptr;
}

}  // namespace ntdll
