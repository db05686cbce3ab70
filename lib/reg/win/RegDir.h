// The registry key object on the native registry services: it names a key by a predefined root and
// a path, addresses it by its native name ("\Registry\Machine\..." or "\Registry\User\<SID>\..."),
// opens it with full access when asked, and reads and writes its values with typed operations.
// Values are read through one shared, growing buffer; key objects come from their pool.
#pragma once

#include <win/ntdll.h>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/IPoolable.h"
#include "base/thread/ObjLocker.h"
#include "reg/IRegDir.h"

namespace s::reg::win {

class NativeRegistry;

class RegDir final : public IRegDir, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_reg_win_RegDir")
  S_POOLED(RegDir)

 public:
  using IObject::destroy;

  // Room for an expanded string, in code units.
  static constexpr uint32_t kExpandedUnits = 520;

  RegDir();
  ~RegDir() override;
  RegDir(const RegDir&) = delete;
  RegDir& operator=(const RegDir&) = delete;

  // Closes the key and binds the object to HKEY_LOCAL_MACHINE with the empty path.
  void reset() override;

  // A key object from the pool, opened (openKey) on `root` and `path`; the caller releases it.
  static RegDir* acquireKey(uint32_t root, const char16_t* path);

  // Whether the object holds the key open.
  bool isOpen() const { return handle != nullptr; }

  const char16_t* getFullName() override { return fullName.getText(); }
  const char16_t* getNativeName() override { return nativeName.getText(); }
  RegDir* getParent() override;
  ArrayP* getSubKeys() override;
  ArrayP* getSubKeysStartingWith(const char16_t* prefix) override;
  uint32_t getRoot() const override { return root; }
  void setRoot(uint32_t value) override;
  const char16_t* getPath() override { return path.getText(); }
  int32_t open(const char16_t* text) override;
  StrBuffer* getName(StrBuffer* out, bool append) override;
  int32_t openFullName(const char16_t* text) override;
  int32_t openKey(uint32_t rootValue, const char16_t* text) override;
  void close() override;
  bool exists() override;
  int32_t create() override;
  int32_t deleteKey(bool withSelf) override;
  int32_t rename(const char16_t* newName) override;
  void flush() override;
  bool queryValue(const char16_t* name, uint32_t* type, uint32_t* size, int32_t expectedType) override;
  StrArray* getValueNames() override;
  uint64_t getTotalSize(bool withSubKeys, uint32_t* valueCounter, uint32_t* subKeyCounter,
                        bool withValues) override;
  uint64_t getValueSize(const char16_t* name) override;

  uint8_t getU8(const char16_t* name, uint8_t defaultValue) override;
  uint16_t getU16(const char16_t* name, uint16_t defaultValue) override;
  uint32_t getU32(const char16_t* name, uint32_t defaultValue) override;
  uint64_t getU64(const char16_t* name, uint64_t defaultValue) override;
  int8_t getI8(const char16_t* name, int8_t defaultValue) override;
  int16_t getI16(const char16_t* name, int16_t defaultValue) override;
  int32_t getI32(const char16_t* name, int32_t defaultValue) override;
  int64_t getI64(const char16_t* name, int64_t defaultValue) override;
  float getFloat(const char16_t* name, float defaultValue) override;
  double getDouble(const char16_t* name, double defaultValue) override;
  bool getBool(const char16_t* name, bool defaultValue) override;
  const char16_t* getString(const char16_t* name, const char16_t* defaultValue, bool* expandable,
                            bool expand) override;
  StrArray* getStringArray(const char16_t* name) override;
  ArrayU08* getBytes(const char16_t* name, ArrayU08* bytes) override;
  int32_t removeValue(const char16_t* name) override;

  int32_t setU8(const char16_t* name, uint8_t value) override;
  int32_t setU16(const char16_t* name, uint16_t value) override;
  int32_t setU32(const char16_t* name, uint32_t value) override;
  int32_t setU64(const char16_t* name, uint64_t value) override;
  int32_t setI8(const char16_t* name, int8_t value) override;
  int32_t setI16(const char16_t* name, int16_t value) override;
  int32_t setI32(const char16_t* name, int32_t value) override;
  int32_t setI64(const char16_t* name, int64_t value) override;
  int32_t setFloat(const char16_t* name, float value) override;
  int32_t setDouble(const char16_t* name, double value) override;
  int32_t setBool(const char16_t* name, bool value) override;
  int32_t setString(const char16_t* name, const char16_t* text) override;
  int32_t setExpandString(const char16_t* name, const char16_t* text) override;
  int32_t setStringArray(const char16_t* name, const StrArray* list) override;
  int32_t setBytes(const char16_t* name, const ArrayU08* bytes) override;

 private:
  // Points `target` at `text`; false when the text is too long for a counted string, so that a
  // long name is refused rather than cut to the name of another key or value.
  bool initCounted(UNICODE_STRING* target, const char16_t* text);
  // NtOpenKey on the bound native name; the handle stays null on failure.
  NTSTATUS openHandle();
  // Opens the key when it is not open, creating it first for writes; the status of the last step.
  NTSTATUS ensureOpen();
  // Writes `size` bytes of `data` as a value of `type` after making sure the key exists.
  NTSTATUS writeValue(const char16_t* name, uint32_t type, const void* data, uint32_t size);
  // The value data as exactly `bytes` bytes, or null when the value is missing or of another size.
  const uint8_t* fixedSizeData(const char16_t* name, uint32_t bytes);
  // The value data as NUL-terminated units (valueData grows by the terminator).
  const char16_t* dataAsText();
  // Enumerates the sub-keys whose names start with `prefix` (all with a null prefix).
  ArrayP* collectSubKeys(const char16_t* prefix, s::thread::ObjLocker& buffer);
  // The new path `path` + "\" + name for a sub-key, written into `out`.
  void subKeyPath(const char16_t* name, uint32_t units, StrBuffer* out);

  NativeRegistry& registry;
  ArrayU08 valueData;
  ArrayU08 expanded;
  UNICODE_STRING valueName;
  HANDLE handle = nullptr;
  uint32_t root = kLocalMachine;
  StrBuffer rootName;
  StrBuffer rootNativeName;
  StrBuffer path;
  StrBuffer fullName;
  StrBuffer nativeName;
  UNICODE_STRING objectName;
  OBJECT_ATTRIBUTES attributes;
};

}  // namespace s::reg::win
