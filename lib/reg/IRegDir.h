// A registry key object: one key named by a predefined root and a path below it, opened when asked,
// with typed reads and writes of its values. Statuses are native status codes, 0 meaning success.
// Texts answered by getters live in the object and stay valid until its next operation.
#pragma once

#include <cstdint>

#include "base/IObject.h"

namespace s::col::_array {
class ArrayP;
class ArrayU08;
}  // namespace s::col::_array
namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::reg {

class IRegDir : public s::base::IObject {
 public:
  using ArrayP = s::col::_array::ArrayP;
  using ArrayU08 = s::col::_array::ArrayU08;
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using StrArray = s::str::strarray::StrArray;

  // The predefined roots.
  static constexpr uint32_t kClassesRoot = 0x80000000u;
  static constexpr uint32_t kCurrentUser = 0x80000001u;
  static constexpr uint32_t kLocalMachine = 0x80000002u;
  static constexpr uint32_t kUsers = 0x80000003u;
  static constexpr uint32_t kCurrentConfig = 0x80000005u;

  // Any type: queryValue does not compare the registry type.
  static constexpr int32_t kAnyType = -1;

  virtual const char16_t* getFullName() = 0;
  virtual const char16_t* getNativeName() = 0;
  // A new key object on the same root and the path before the last "\"; the caller releases it.
  virtual IRegDir* getParent() = 0;
  // A pooled array of new key objects, one per sub-key; releasing the array releases them.
  virtual ArrayP* getSubKeys() = 0;
  // As getSubKeys, keeping the names that start with `prefix` (ASCII case ignored).
  virtual ArrayP* getSubKeysStartingWith(const char16_t* prefix) = 0;
  virtual uint32_t getRoot() const = 0;
  // The five predefined roots also set the root's names; any other value changes only the root.
  virtual void setRoot(uint32_t root) = 0;
  virtual const char16_t* getPath() = 0;
  // Binds the object to `path` below its root (trailing "\" dropped) and opens the key.
  virtual int32_t open(const char16_t* path) = 0;
  // The last segment of the path, into `out` (acquired when null; emptied first unless `append`).
  virtual StrBuffer* getName(StrBuffer* out, bool append) = 0;
  // Opens "HKEY_...\path"; an unknown root opens HKEY_CURRENT_USER\InvalidKey.
  virtual int32_t openFullName(const char16_t* text) = 0;
  virtual int32_t openKey(uint32_t root, const char16_t* path) = 0;
  virtual void close() = 0;
  // False when the key is not open; otherwise reopens it and answers whether that worked.
  virtual bool exists() = 0;
  // Creates the key when it is not open, with every missing ancestor.
  virtual int32_t create() = 0;
  // Deletes every sub-key at every depth, and the key itself with `withSelf`.
  virtual int32_t deleteKey(bool withSelf) = 0;
  virtual int32_t rename(const char16_t* newName) = 0;
  virtual void flush() = 0;
  // Reads the value into the object's value data; false when it cannot be read or, with an
  // expected type other than kAnyType, has another type.
  virtual bool queryValue(const char16_t* name, uint32_t* type, uint32_t* size, int32_t expectedType) = 0;
  virtual StrArray* getValueNames() = 0;
  // The data sizes of the values, optionally with those of every sub-key at every depth.
  virtual uint64_t getTotalSize(bool withSubKeys, uint32_t* valueCounter, uint32_t* subKeyCounter,
                                bool withValues) = 0;
  virtual uint64_t getValueSize(const char16_t* name) = 0;

  // Typed reads use the data only when its size is exactly right (8 bytes for the 64-bit and double
  // reads, 4 for the others), whatever the registry type; otherwise they answer the default.
  virtual uint8_t getU8(const char16_t* name, uint8_t defaultValue) = 0;
  virtual uint16_t getU16(const char16_t* name, uint16_t defaultValue) = 0;
  virtual uint32_t getU32(const char16_t* name, uint32_t defaultValue) = 0;
  virtual uint64_t getU64(const char16_t* name, uint64_t defaultValue) = 0;
  virtual int8_t getI8(const char16_t* name, int8_t defaultValue) = 0;
  virtual int16_t getI16(const char16_t* name, int16_t defaultValue) = 0;
  virtual int32_t getI32(const char16_t* name, int32_t defaultValue) = 0;
  virtual int64_t getI64(const char16_t* name, int64_t defaultValue) = 0;
  virtual float getFloat(const char16_t* name, float defaultValue) = 0;
  virtual double getDouble(const char16_t* name, double defaultValue) = 0;
  virtual bool getBool(const char16_t* name, bool defaultValue) = 0;
  // A REG_SZ or REG_EXPAND_SZ value as text (expanded on request), the empty text for a value of
  // no data, the default otherwise.
  virtual const char16_t* getString(const char16_t* name, const char16_t* defaultValue, bool* expandable,
                                    bool expand) = 0;
  // A pooled list (empty when the value is missing or not a string list); the caller releases it.
  virtual StrArray* getStringArray(const char16_t* name) = 0;
  // The value's bytes replace the array's content (acquired when null); null when it cannot be read.
  virtual ArrayU08* getBytes(const char16_t* name, ArrayU08* bytes) = 0;
  virtual int32_t removeValue(const char16_t* name) = 0;

  // Writers create the key when it is not open and replace a value of that name whatever its type.
  virtual int32_t setU8(const char16_t* name, uint8_t value) = 0;
  virtual int32_t setU16(const char16_t* name, uint16_t value) = 0;
  virtual int32_t setU32(const char16_t* name, uint32_t value) = 0;
  virtual int32_t setU64(const char16_t* name, uint64_t value) = 0;
  virtual int32_t setI8(const char16_t* name, int8_t value) = 0;
  virtual int32_t setI16(const char16_t* name, int16_t value) = 0;
  virtual int32_t setI32(const char16_t* name, int32_t value) = 0;
  virtual int32_t setI64(const char16_t* name, int64_t value) = 0;
  virtual int32_t setFloat(const char16_t* name, float value) = 0;
  virtual int32_t setDouble(const char16_t* name, double value) = 0;
  virtual int32_t setBool(const char16_t* name, bool value) = 0;
  virtual int32_t setString(const char16_t* name, const char16_t* text) = 0;
  virtual int32_t setExpandString(const char16_t* name, const char16_t* text) = 0;
  virtual int32_t setStringArray(const char16_t* name, const StrArray* list) = 0;
  virtual int32_t setBytes(const char16_t* name, const ArrayU08* bytes) = 0;
};

}  // namespace s::reg
