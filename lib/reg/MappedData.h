// The key/value store over a registry key below HKEY_CURRENT_USER: a path names the sub-key
// <root key>\<path> ("/" and "\" both separate), a value name names a value of that key and the
// empty name its default value. The key object of the last path is kept, so a run of reads and
// writes on one path opens its key once. save has nothing to do: every write reaches the hive.
#pragma once

#include "base/str/strbuffer/StrBuffer.h"
#include "map/IMappedData.h"

namespace s::reg::win {
class RegDir;
}

namespace s::reg {

class MappedData final : public s::map::IMappedData {
  S_CLASS_NAME(u"s_reg_MappedData")
  S_POOLED(MappedData)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  MappedData();
  ~MappedData() override;
  MappedData(const MappedData&) = delete;
  MappedData& operator=(const MappedData&) = delete;

  // Releases the keys and empties the strings; it does not save.
  void reset() override;

  // A store from the pool bound (when it is not yet) to HKEY_CURRENT_USER\<keyText>.
  static MappedData* openRegistry(const char16_t* keyText);

  // The key the store is bound to, and the key of the last lookup (either may be null).
  s::reg::win::RegDir* getRoot() const { return root; }
  s::reg::win::RegDir* getCurrent() const { return current; }

  void save() override {}
  bool ensurePath(const char16_t* path) override;
  void removePath(const char16_t* path) override;
  bool findPath(const char16_t* path) override;
  bool hasValue(const char16_t* path, const char16_t* name) override;

  uint8_t getU8(const char16_t* path, const char16_t* name, uint8_t defaultValue) override;
  uint16_t getU16(const char16_t* path, const char16_t* name, uint16_t defaultValue) override;
  uint32_t getU32(const char16_t* path, const char16_t* name, uint32_t defaultValue) override;
  uint64_t getU64(const char16_t* path, const char16_t* name, uint64_t defaultValue) override;
  int8_t getI8(const char16_t* path, const char16_t* name, int8_t defaultValue) override;
  int16_t getI16(const char16_t* path, const char16_t* name, int16_t defaultValue) override;
  int32_t getI32(const char16_t* path, const char16_t* name, int32_t defaultValue) override;
  int64_t getI64(const char16_t* path, const char16_t* name, int64_t defaultValue) override;
  float getFloat(const char16_t* path, const char16_t* name, float defaultValue) override;
  double getDouble(const char16_t* path, const char16_t* name, double defaultValue) override;
  bool getBool(const char16_t* path, const char16_t* name, bool defaultValue) override;
  const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* defaultValue,
                            bool* expandable, bool expand) override;
  StrArray* getStringArray(const char16_t* path, const char16_t* name) override;
  ArrayU08* getBytes(const char16_t* path, const char16_t* name, ArrayU08* bytes) override;
  void removeValue(const char16_t* path, const char16_t* name) override;

  void setU8(const char16_t* path, const char16_t* name, uint8_t value) override;
  void setU16(const char16_t* path, const char16_t* name, uint16_t value) override;
  void setU32(const char16_t* path, const char16_t* name, uint32_t value) override;
  void setU64(const char16_t* path, const char16_t* name, uint64_t value) override;
  void setI8(const char16_t* path, const char16_t* name, int8_t value) override;
  void setI16(const char16_t* path, const char16_t* name, int16_t value) override;
  void setI32(const char16_t* path, const char16_t* name, int32_t value) override;
  void setI64(const char16_t* path, const char16_t* name, int64_t value) override;
  void setFloat(const char16_t* path, const char16_t* name, float value) override;
  void setDouble(const char16_t* path, const char16_t* name, double value) override;
  void setBool(const char16_t* path, const char16_t* name, bool value) override;
  void setString(const char16_t* path, const char16_t* name, const char16_t* text) override;
  void setExpandString(const char16_t* path, const char16_t* name, const char16_t* text) override;
  void setStringArray(const char16_t* path, const char16_t* name, const StrArray* list) override;
  void setBytes(const char16_t* path, const char16_t* name, const ArrayU08* bytes) override;

  bool getAutoSave() const override { return autoSave; }
  void setAutoSave(bool on) override { autoSave = on; }

 private:
  // Points current at the key the path names (reusing it for the same path); creates it when asked.
  bool lookUp(const char16_t* path, bool create);
  // A new key object for root + "\" + path, with "/" read as "\".
  s::reg::win::RegDir* acquireKeyFor(const char16_t* path);
  void saveWhenAuto() {
    if (autoSave) save();
  }

  StrBuffer scratch;
  StrBuffer lastPath;
  s::reg::win::RegDir* root = nullptr;
  s::reg::win::RegDir* current = nullptr;
  bool autoSave = false;
};

}  // namespace s::reg
