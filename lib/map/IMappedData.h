// A key/value store addressed by a path (nested keys or elements, segments separated by "/" or "\")
// and a value name; the empty name is the key's default value or the element's text. Getters never
// create anything and answer the caller's default for a missing path or value; setters create the
// path. With automatic saving on, every write ends with save.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::map {

class IMappedData : public s::base::IObject, public s::thread::IPoolable {
 public:
  using ArrayU08 = s::col::_array::ArrayU08;
  using StrArray = s::str::strarray::StrArray;
  using IObject::destroy;

  virtual void save() = 0;
  // Finds the path, creating what is missing; false when it could not be made.
  virtual bool ensurePath(const char16_t* path) = 0;
  // Removes what the path names with everything below it.
  virtual void removePath(const char16_t* path) = 0;
  virtual bool findPath(const char16_t* path) = 0;
  virtual bool hasValue(const char16_t* path, const char16_t* name) = 0;

  virtual uint8_t getU8(const char16_t* path, const char16_t* name, uint8_t defaultValue) = 0;
  virtual uint16_t getU16(const char16_t* path, const char16_t* name, uint16_t defaultValue) = 0;
  virtual uint32_t getU32(const char16_t* path, const char16_t* name, uint32_t defaultValue) = 0;
  virtual uint64_t getU64(const char16_t* path, const char16_t* name, uint64_t defaultValue) = 0;
  virtual int8_t getI8(const char16_t* path, const char16_t* name, int8_t defaultValue) = 0;
  virtual int16_t getI16(const char16_t* path, const char16_t* name, int16_t defaultValue) = 0;
  virtual int32_t getI32(const char16_t* path, const char16_t* name, int32_t defaultValue) = 0;
  virtual int64_t getI64(const char16_t* path, const char16_t* name, int64_t defaultValue) = 0;
  virtual float getFloat(const char16_t* path, const char16_t* name, float defaultValue) = 0;
  virtual double getDouble(const char16_t* path, const char16_t* name, double defaultValue) = 0;
  virtual bool getBool(const char16_t* path, const char16_t* name, bool defaultValue) = 0;
  // The text belongs to the store and stays valid until its next read.
  virtual const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* defaultValue,
                                    bool* expandable, bool expand) = 0;
  // Neither store keeps string lists: always null.
  virtual StrArray* getStringArray(const char16_t* path, const char16_t* name) = 0;
  // The value's bytes replace the array's content (acquired when null).
  virtual ArrayU08* getBytes(const char16_t* path, const char16_t* name, ArrayU08* bytes) = 0;
  virtual void removeValue(const char16_t* path, const char16_t* name) = 0;

  virtual void setU8(const char16_t* path, const char16_t* name, uint8_t value) = 0;
  virtual void setU16(const char16_t* path, const char16_t* name, uint16_t value) = 0;
  virtual void setU32(const char16_t* path, const char16_t* name, uint32_t value) = 0;
  virtual void setU64(const char16_t* path, const char16_t* name, uint64_t value) = 0;
  virtual void setI8(const char16_t* path, const char16_t* name, int8_t value) = 0;
  virtual void setI16(const char16_t* path, const char16_t* name, int16_t value) = 0;
  virtual void setI32(const char16_t* path, const char16_t* name, int32_t value) = 0;
  virtual void setI64(const char16_t* path, const char16_t* name, int64_t value) = 0;
  virtual void setFloat(const char16_t* path, const char16_t* name, float value) = 0;
  virtual void setDouble(const char16_t* path, const char16_t* name, double value) = 0;
  virtual void setBool(const char16_t* path, const char16_t* name, bool value) = 0;
  virtual void setString(const char16_t* path, const char16_t* name, const char16_t* text) = 0;
  virtual void setExpandString(const char16_t* path, const char16_t* name, const char16_t* text) = 0;
  // Neither store keeps string lists: stores nothing.
  virtual void setStringArray(const char16_t* path, const char16_t* name, const StrArray* list) = 0;
  virtual void setBytes(const char16_t* path, const char16_t* name, const ArrayU08* bytes) = 0;

  virtual bool getAutoSave() const = 0;
  virtual void setAutoSave(bool on) = 0;
};

}  // namespace s::map
