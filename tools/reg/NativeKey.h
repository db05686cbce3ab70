// An open registry key of the tool: a native handle closed with the object, and the operations the
// commands need, each answering the native status.
#pragma once

#include <win/ntdll.h>

#include <cstdint>
#include <string>
#include <vector>

namespace reg {

struct Value {
  std::u16string name;
  ULONG type = 0;
  std::vector<uint8_t> data;
};

class NativeKey {
 public:
  NativeKey() = default;
  ~NativeKey();
  NativeKey(const NativeKey&) = delete;
  NativeKey& operator=(const NativeKey&) = delete;

  NTSTATUS open(const std::u16string& nativeName, ACCESS_MASK access);
  // Creates the key and every missing key above it.
  NTSTATUS create(const std::u16string& nativeName);
  void close();

  NTSTATUS subKeys(std::vector<std::u16string>& names) const;
  NTSTATUS values(std::vector<Value>& out) const;
  NTSTATUS value(const std::u16string& name, Value& out) const;
  NTSTATUS setValue(const Value& value) const;
  NTSTATUS deleteValue(const std::u16string& name) const;
  // Deletes the key's sub-keys at every depth and then the key; the object is closed afterwards.
  NTSTATUS deleteTree(const std::u16string& nativeName);

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace reg
