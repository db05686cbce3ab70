#include "reg/NativeKey.h"

#include <cstddef>
#include <cstring>

namespace reg {

namespace {

UNICODE_STRING counted(const std::u16string& text) {
  UNICODE_STRING s;
  s.Length = static_cast<USHORT>(text.size() * 2);
  s.MaximumLength = s.Length;
  s.Buffer = const_cast<char16_t*>(text.data());
  return s;
}

NTSTATUS openHandle(const std::u16string& nativeName, ACCESS_MASK access, HANDLE& handle) {
  UNICODE_STRING name = counted(nativeName);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  return NtOpenKey(&handle, access, &attributes);
}

// Fills buffer by calling the query until the buffer is large enough.
template <typename Call>
NTSTATUS queryGrowing(std::vector<uint8_t>& buffer, Call call) {
  if (buffer.size() < 512) buffer.resize(512);
  for (;;) {
    ULONG needed = 0;
    NTSTATUS status = call(buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != STATUS_BUFFER_OVERFLOW && status != STATUS_BUFFER_TOO_SMALL) return status;
    buffer.resize(needed + 64);
  }
}

Value fromFull(const std::vector<uint8_t>& buffer) {
  KEY_VALUE_FULL_INFORMATION info;
  std::memcpy(&info, buffer.data(), offsetof(KEY_VALUE_FULL_INFORMATION, Name));
  Value v;
  v.type = info.Type;
  v.name.resize(info.NameLength / 2);
  std::memcpy(v.name.data(), buffer.data() + offsetof(KEY_VALUE_FULL_INFORMATION, Name), info.NameLength);
  v.data.assign(buffer.begin() + info.DataOffset, buffer.begin() + info.DataOffset + info.DataLength);
  return v;
}

}  // namespace

NativeKey::~NativeKey() { close(); }

void NativeKey::close() {
  if (handle_) NtClose(handle_);
  handle_ = nullptr;
}

NTSTATUS NativeKey::open(const std::u16string& nativeName, ACCESS_MASK access) {
  close();
  return openHandle(nativeName, access, handle_);
}

NTSTATUS NativeKey::create(const std::u16string& nativeName) {
  close();
  UNICODE_STRING name = counted(nativeName);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  NTSTATUS status = NtCreateKey(&handle_, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr);
  if (status != STATUS_OBJECT_NAME_NOT_FOUND) return status;
  size_t slash = nativeName.rfind(u'\\');
  if (slash == 0 || slash == std::u16string::npos) return status;
  NativeKey parent;
  NTSTATUS parentStatus = parent.create(nativeName.substr(0, slash));
  if (!NT_SUCCESS(parentStatus)) return parentStatus;
  return NtCreateKey(&handle_, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr);
}

NTSTATUS NativeKey::subKeys(std::vector<std::u16string>& names) const {
  names.clear();
  std::vector<uint8_t> buffer;
  for (ULONG i = 0;; ++i) {
    NTSTATUS status = queryGrowing(buffer, [&](void* b, ULONG n, PULONG needed) {
      return NtEnumerateKey(handle_, i, KeyBasicInformation, b, n, needed);
    });
    if (status == STATUS_NO_MORE_ENTRIES) return STATUS_SUCCESS;
    if (status != STATUS_SUCCESS) return status;
    KEY_BASIC_INFORMATION info;
    std::memcpy(&info, buffer.data(), offsetof(KEY_BASIC_INFORMATION, Name));
    std::u16string name(info.NameLength / 2, u'\0');
    std::memcpy(name.data(), buffer.data() + offsetof(KEY_BASIC_INFORMATION, Name), info.NameLength);
    names.push_back(name);
  }
}

NTSTATUS NativeKey::values(std::vector<Value>& out) const {
  out.clear();
  std::vector<uint8_t> buffer;
  for (ULONG i = 0;; ++i) {
    NTSTATUS status = queryGrowing(buffer, [&](void* b, ULONG n, PULONG needed) {
      return NtEnumerateValueKey(handle_, i, KeyValueFullInformation, b, n, needed);
    });
    if (status == STATUS_NO_MORE_ENTRIES) return STATUS_SUCCESS;
    if (status != STATUS_SUCCESS) return status;
    out.push_back(fromFull(buffer));
  }
}

NTSTATUS NativeKey::value(const std::u16string& name, Value& out) const {
  std::vector<uint8_t> buffer;
  UNICODE_STRING s = counted(name);
  NTSTATUS status = queryGrowing(buffer, [&](void* b, ULONG n, PULONG needed) {
    return NtQueryValueKey(handle_, &s, KeyValueFullInformation, b, n, needed);
  });
  if (status == STATUS_SUCCESS) out = fromFull(buffer);
  return status;
}

NTSTATUS NativeKey::setValue(const Value& value) const {
  UNICODE_STRING s = counted(value.name);
  return NtSetValueKey(handle_, &s, 0, value.type, const_cast<uint8_t*>(value.data.data()),
                       static_cast<ULONG>(value.data.size()));
}

NTSTATUS NativeKey::deleteValue(const std::u16string& name) const {
  UNICODE_STRING s = counted(name);
  return NtDeleteValueKey(handle_, &s);
}

NTSTATUS NativeKey::deleteTree(const std::u16string& nativeName) {
  NTSTATUS status = open(nativeName, KEY_ALL_ACCESS);
  if (!NT_SUCCESS(status)) return status;
  std::vector<std::u16string> children;
  status = subKeys(children);
  for (const std::u16string& child : children) {
    if (!NT_SUCCESS(status)) break;
    NativeKey sub;
    status = sub.deleteTree(nativeName + u"\\" + child);
  }
  if (NT_SUCCESS(status)) status = NtDeleteKey(handle_);
  close();
  return status;
}

}  // namespace reg
