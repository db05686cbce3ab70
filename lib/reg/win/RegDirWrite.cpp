// Key objects: writing values, each replacing a value of the same name whatever its type.
#include <cstring>

#include "base/str/strarray/StrArray.h"
#include "reg/win/NativeRegistry.h"
#include "reg/win/RegDir.h"

namespace s::reg::win {

namespace {

void putLittleEndian(uint8_t* out, uint64_t value, uint32_t bytes) {
  for (uint32_t i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t unitsOf(const char16_t* text) {
  uint32_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

}  // namespace

NTSTATUS RegDir::writeValue(const char16_t* name, uint32_t type, const void* data, uint32_t size) {
  if (!handle) {
    NTSTATUS status = create();
    if (!handle) return NT_SUCCESS(status) ? STATUS_UNSUCCESSFUL : status;
  }
  if (!initCounted(&valueName, name)) return STATUS_OBJECT_NAME_INVALID;
  return registry.nt().setValueKey(handle, &valueName, 0, type, const_cast<void*>(data), size);
}

int32_t RegDir::setU8(const char16_t* name, uint8_t value) { return setU32(name, value); }

int32_t RegDir::setU16(const char16_t* name, uint16_t value) { return setU32(name, value); }

int32_t RegDir::setU32(const char16_t* name, uint32_t value) {
  uint8_t bytes[4];
  putLittleEndian(bytes, value, 4);
  return writeValue(name, REG_DWORD, bytes, 4);
}

int32_t RegDir::setI8(const char16_t* name, int8_t value) { return setI32(name, value); }

int32_t RegDir::setI16(const char16_t* name, int16_t value) { return setI32(name, value); }

int32_t RegDir::setI32(const char16_t* name, int32_t value) { return setU32(name, static_cast<uint32_t>(value)); }

int32_t RegDir::setBool(const char16_t* name, bool value) { return setU32(name, value ? 1 : 0); }

int32_t RegDir::setU64(const char16_t* name, uint64_t value) {
  uint8_t bytes[8];
  putLittleEndian(bytes, value, 8);
  return writeValue(name, REG_BINARY, bytes, 8);
}

int32_t RegDir::setI64(const char16_t* name, int64_t value) { return setU64(name, static_cast<uint64_t>(value)); }

int32_t RegDir::setFloat(const char16_t* name, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  uint8_t bytes[4];
  putLittleEndian(bytes, bits, 4);
  return writeValue(name, REG_BINARY, bytes, 4);
}

int32_t RegDir::setDouble(const char16_t* name, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  uint8_t bytes[8];
  putLittleEndian(bytes, bits, 8);
  return writeValue(name, REG_BINARY, bytes, 8);
}

int32_t RegDir::setString(const char16_t* name, const char16_t* text) {
  if (!text) text = u"";
  return writeValue(name, REG_SZ, text, (unitsOf(text) + 1) * 2);
}

int32_t RegDir::setExpandString(const char16_t* name, const char16_t* text) {
  if (!text) text = u"";
  return writeValue(name, REG_EXPAND_SZ, text, (unitsOf(text) + 1) * 2);
}

int32_t RegDir::setStringArray(const char16_t* name, const StrArray* list) {
  static const char16_t kZero[2] = {0, 0};
  valueData.clear();
  uint32_t count = list ? list->size() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    StrBuffer* text = list->get(i);
    if (text && text->length() > 0) valueData.append(text->getChars(), text->length() * 2);
    valueData.append(kZero, 2);
  }
  // The list ends with one more 0 unit; an empty list is two of them.
  valueData.append(kZero, count == 0 ? 4 : 2);
  return writeValue(name, REG_MULTI_SZ, valueData.data(), valueData.size());
}

int32_t RegDir::setBytes(const char16_t* name, const ArrayU08* bytes) {
  uint32_t size = bytes ? bytes->size() : 0;
  return writeValue(name, REG_BINARY, size ? bytes->data() : nullptr, size);
}

}  // namespace s::reg::win
