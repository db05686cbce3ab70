// Key objects: reading values through the shared read buffer, and the typed reads over it.
#include <win/environment.h>

#include <cstring>

#include "base/str/strarray/StrArray.h"
#include "reg/win/NativeRegistry.h"
#include "reg/win/RegDir.h"

namespace s::reg::win {

namespace {

uint32_t littleEndian32(const uint8_t* d) {
  return static_cast<uint32_t>(d[0]) | static_cast<uint32_t>(d[1]) << 8 | static_cast<uint32_t>(d[2]) << 16 |
         static_cast<uint32_t>(d[3]) << 24;
}

uint64_t littleEndian64(const uint8_t* d) {
  return static_cast<uint64_t>(littleEndian32(d)) | static_cast<uint64_t>(littleEndian32(d + 4)) << 32;
}

void report(uint32_t* target, uint32_t value) {
  if (target) *target = value;
}

}  // namespace

bool RegDir::queryValue(const char16_t* name, uint32_t* type, uint32_t* size, int32_t expectedType) {
  report(type, 0);
  report(size, 0);
  if (!handle) openHandle();
  if (!handle || !initCounted(&valueName, name)) return false;
  s::thread::ObjLocker& locker = registry.readBuffer();
  s::thread::ObjLocker::Scope guard(locker);
  ArrayU08* buffer = locker.heldAs<ArrayU08>();
  if (!buffer || !buffer->data()) return false;
  NTSTATUS status;
  ULONG got = 0;
  for (;;) {
    got = 0;
    status = registry.nt().queryValueKey(handle, &valueName, KeyValueFullInformation, buffer->data(), buffer->size(),
                                         &got);
    if (status != STATUS_BUFFER_OVERFLOW && status != STATUS_BUFFER_TOO_SMALL) break;
    // A needed length the buffer already has would ask again forever.
    uint64_t grown = static_cast<uint64_t>(got) + NativeRegistry::kReadBufferSlack;
    if (got <= buffer->size() || grown > 0xFFFFFFFFu) return false;
    buffer->setSize(static_cast<uint32_t>(grown));
    if (buffer->size() != grown) return false;
  }
  if (!NT_SUCCESS(status)) return false;
  KEY_VALUE_FULL_INFORMATION info;
  const uint32_t headerBytes = offsetof(KEY_VALUE_FULL_INFORMATION, Name);
  if (got < headerBytes) return false;
  std::memcpy(&info, buffer->data(), headerBytes);
  uint64_t end = static_cast<uint64_t>(info.DataOffset) + info.DataLength;
  if (end > buffer->size() || end > got) return false;
  report(type, info.Type);
  report(size, info.DataLength);
  bool result = expectedType == kAnyType || info.Type == static_cast<uint32_t>(expectedType);
  if (result) {
    valueData.clear();
    if (info.DataLength > 0) valueData.append(buffer->data() + info.DataOffset, info.DataLength);
  }
  return result;
}

uint64_t RegDir::getValueSize(const char16_t* name) {
  uint32_t size = 0;
  return queryValue(name, nullptr, &size, kAnyType) ? size : 0;
}

const uint8_t* RegDir::fixedSizeData(const char16_t* name, uint32_t bytes) {
  uint32_t size = 0;
  if (!queryValue(name, nullptr, &size, kAnyType) || size != bytes || valueData.size() != bytes) return nullptr;
  return valueData.data();
}

uint8_t RegDir::getU8(const char16_t* name, uint8_t defaultValue) {
  const uint8_t* d = fixedSizeData(name, 4);
  return d ? d[0] : defaultValue;
}

uint16_t RegDir::getU16(const char16_t* name, uint16_t defaultValue) {
  const uint8_t* d = fixedSizeData(name, 4);
  return d ? static_cast<uint16_t>(littleEndian32(d)) : defaultValue;
}

uint32_t RegDir::getU32(const char16_t* name, uint32_t defaultValue) {
  const uint8_t* d = fixedSizeData(name, 4);
  return d ? littleEndian32(d) : defaultValue;
}

uint64_t RegDir::getU64(const char16_t* name, uint64_t defaultValue) {
  const uint8_t* d = fixedSizeData(name, 8);
  return d ? littleEndian64(d) : defaultValue;
}

int8_t RegDir::getI8(const char16_t* name, int8_t defaultValue) {
  return static_cast<int8_t>(getU8(name, static_cast<uint8_t>(defaultValue)));
}

int16_t RegDir::getI16(const char16_t* name, int16_t defaultValue) {
  return static_cast<int16_t>(getU16(name, static_cast<uint16_t>(defaultValue)));
}

int32_t RegDir::getI32(const char16_t* name, int32_t defaultValue) {
  return static_cast<int32_t>(getU32(name, static_cast<uint32_t>(defaultValue)));
}

int64_t RegDir::getI64(const char16_t* name, int64_t defaultValue) {
  return static_cast<int64_t>(getU64(name, static_cast<uint64_t>(defaultValue)));
}

float RegDir::getFloat(const char16_t* name, float defaultValue) {
  const uint8_t* d = fixedSizeData(name, 4);
  if (!d) return defaultValue;
  uint32_t bits = littleEndian32(d);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double RegDir::getDouble(const char16_t* name, double defaultValue) {
  const uint8_t* d = fixedSizeData(name, 8);
  if (!d) return defaultValue;
  uint64_t bits = littleEndian64(d);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool RegDir::getBool(const char16_t* name, bool defaultValue) {
  const uint8_t* d = fixedSizeData(name, 4);
  return d ? littleEndian32(d) != 0 : defaultValue;
}

const char16_t* RegDir::dataAsText() {
  // Whole units only, then a terminator the stored data may lack.
  if (valueData.size() & 1) valueData.dropLast(1);
  valueData.add(0);
  valueData.add(0);
  return reinterpret_cast<const char16_t*>(valueData.data());
}

const char16_t* RegDir::getString(const char16_t* name, const char16_t* defaultValue, bool* expandable,
                                  bool expand) {
  if (expandable) *expandable = false;
  uint32_t type = 0;
  uint32_t size = 0;
  if (!queryValue(name, &type, &size, kAnyType)) return defaultValue;
  if (size == 0) return u"";
  if (type == REG_SZ) return dataAsText();
  if (type != REG_EXPAND_SZ) return defaultValue;
  if (expandable) *expandable = true;
  const char16_t* text = dataAsText();
  if (!expand) return text;
  expanded.setSize(kExpandedUnits * 2);
  auto* out = reinterpret_cast<char16_t*>(expanded.data());
  DWORD needed = out ? ExpandEnvironmentStringsW(text, out, kExpandedUnits) : 0;
  if (needed > kExpandedUnits) {
    // A longer expansion gets the room it needs rather than being cut or lost.
    expanded.setSize(needed * 2);
    out = reinterpret_cast<char16_t*>(expanded.data());
    if (expanded.size() != needed * 2) return text;
    needed = ExpandEnvironmentStringsW(text, out, needed);
    if (needed * 2 > expanded.size()) return text;
  }
  return needed > 0 ? out : text;
}

RegDir::StrArray* RegDir::getStringArray(const char16_t* name) {
  StrArray* list = StrArray::acquire();
  if (!list) return nullptr;
  uint32_t size = 0;
  if (!queryValue(name, nullptr, &size, REG_MULTI_SZ) || size < 4) return list;
  const auto* units = reinterpret_cast<const char16_t*>(valueData.data());
  const uint32_t count = size / 2;
  bool doubleZero = false;
  for (uint32_t i = 0; i + 1 < count && !doubleZero; ++i) doubleZero = units[i] == 0 && units[i + 1] == 0;
  if (!doubleZero) return list;
  uint32_t at = 0;
  while (at < count) {
    uint32_t end = at;
    while (end < count && units[end] != 0) ++end;
    StrBuffer* text = StrBuffer::acquire();
    if (!text) break;
    text->setChars(units + at, static_cast<int32_t>(end - at));
    list->add(text);
    // The list ends where the unit after a string's 0 unit is itself 0 (or the data ends).
    if (end + 1 >= count || units[end + 1] == 0) break;
    at = end + 1;
  }
  if (list->size() == 1 && list->get(0)->length() == 0) list->clear();
  return list;
}

RegDir::ArrayU08* RegDir::getBytes(const char16_t* name, ArrayU08* bytes) {
  uint32_t size = 0;
  if (!queryValue(name, nullptr, &size, kAnyType)) return nullptr;
  if (!bytes) {
    bytes = ArrayU08::acquire();
    if (!bytes) return nullptr;
  }
  bytes->clear();
  if (size > 0) bytes->append(valueData.data(), size);
  return bytes;
}

int32_t RegDir::removeValue(const char16_t* name) {
  if (!queryValue(name, nullptr, nullptr, kAnyType)) return STATUS_OBJECT_NAME_NOT_FOUND;
  return registry.nt().deleteValueKey(handle, &valueName);
}

}  // namespace s::reg::win
