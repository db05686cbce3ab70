// The face of an XML element of the library's small dialect: its name, children and attributes
// (element text is an attribute with the empty name), typed setters and getters, the reader, the
// one-line writer and file loading and saving. The operations are listed in their slot order.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::file {
class IPath;
}

namespace s::xml {

class Attributes;
class Node;

class IXml : public s::base::IObject, public s::thread::IPoolable {
 public:
  using ArrayU08 = s::col::_array::ArrayU08;
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  virtual uint32_t childCount() const = 0;
  // Frees the name and gives the attributes and children back to their pools.
  virtual void clear() = 0;
  // Walks the subtree, one tab more of indentation per level; it writes nothing.
  virtual void dumpTree(const char16_t* indent) = 0;
  // Reads one element of the NUL-terminated text into this node; answers the position after it.
  virtual const char16_t* parse(const char16_t* text) = 0;
  // Decodes the bytes as UTF-8 and reads one element from them.
  virtual void parseBytes(const ArrayU08* bytes) = 0;

  virtual const char16_t* getName() const = 0;
  // Replaces the name with a copy of `length` units (-1 = up to the terminator).
  virtual void setName(const char16_t* text, int32_t length = -1) = 0;
  // With a length: exactly those units, case-sensitive. With -1: the whole names, ASCII case ignored.
  virtual bool nameEquals(const char16_t* text, int32_t length = -1) const = 0;
  virtual bool isComment() const = 0;

  // The child at `index`, no bounds check.
  virtual Node* getChild(uint32_t index) const = 0;
  // A new child from the node pool, named and appended.
  virtual Node* addChild(const char16_t* name, int32_t length = -1) = 0;
  // Appends an existing node; this node owns it from now on.
  virtual void appendChild(Node* child) = 0;
  // Removes the child at `index` and releases it.
  virtual void removeChild(uint32_t index) = 0;
  virtual bool findChild(const char16_t* name, uint32_t* index, int32_t length = -1) const = 0;
  virtual Node* childByName(const char16_t* name, int32_t length = -1) const = 0;

  // The setters append a record and never replace one: the first record of a name hides later ones.
  virtual void setU64(const char16_t* name, uint64_t value) = 0;
  virtual void setU32(const char16_t* name, uint32_t value) = 0;
  virtual void setU16(const char16_t* name, uint16_t value) = 0;
  virtual void setU8(const char16_t* name, uint8_t value) = 0;
  virtual void setI64(const char16_t* name, int64_t value) = 0;
  virtual void setI32(const char16_t* name, int32_t value) = 0;
  virtual void setI16(const char16_t* name, int16_t value) = 0;
  virtual void setI8(const char16_t* name, int8_t value) = 0;
  virtual void setFloat(const char16_t* name, float value) = 0;
  virtual void setDouble(const char16_t* name, double value) = 0;
  // An attribute, or with the empty name a text run, escaped with the matching scheme.
  virtual void setString(const char16_t* name, const char16_t* text) = 0;
  // Values in fixed-width lower-case hexadecimal, concatenated.
  virtual void setArrayU64(const char16_t* name, const uint64_t* values, uint32_t count) = 0;
  virtual void setArrayU32(const char16_t* name, const uint32_t* values, uint32_t count) = 0;
  virtual void setArrayU16(const char16_t* name, const uint16_t* values, uint32_t count) = 0;
  virtual void setArrayU8(const char16_t* name, const uint8_t* values, uint32_t count) = 0;
  virtual void setArrayI64(const char16_t* name, const int64_t* values, uint32_t count) = 0;
  virtual void setArrayI32(const char16_t* name, const int32_t* values, uint32_t count) = 0;
  virtual void setArrayI16(const char16_t* name, const int16_t* values, uint32_t count) = 0;
  virtual void setArrayI8(const char16_t* name, const int8_t* values, uint32_t count) = 0;
  virtual void setArray32(const char16_t* name, const uint32_t* values, uint32_t count) = 0;
  // Each value as two 8-digit groups, the low 32 bits first.
  virtual void setArray64Halves(const char16_t* name, const uint64_t* values, uint32_t count) = 0;

  // The getters answer the first record of the name (ASCII case ignored), or the default.
  // The stored, still escaped value.
  virtual const char16_t* getRaw(const char16_t* name, const char16_t* defaultValue) const = 0;
  // True when the value begins with "1" or "true".
  virtual bool getBool(const char16_t* name, bool defaultValue) const = 0;
  virtual int8_t getI8(const char16_t* name, int8_t defaultValue) const = 0;
  virtual int16_t getI16(const char16_t* name, int16_t defaultValue) const = 0;
  virtual int32_t getI32(const char16_t* name, int32_t defaultValue) const = 0;
  virtual int64_t getI64(const char16_t* name, int64_t defaultValue) const = 0;
  virtual uint8_t getU8(const char16_t* name, uint8_t defaultValue) const = 0;
  virtual uint16_t getU16(const char16_t* name, uint16_t defaultValue) const = 0;
  virtual uint32_t getU32(const char16_t* name, uint32_t defaultValue) const = 0;
  virtual uint64_t getU64(const char16_t* name, uint64_t defaultValue) const = 0;
  virtual float getFloat(const char16_t* name, float defaultValue) const = 0;
  virtual double getDouble(const char16_t* name, double defaultValue) const = 0;
  // The unescaped value into `target` (acquired when null; emptied first unless `append`); the
  // default when the name is missing. Answers the target.
  virtual StrBuffer* getString(StrBuffer* target, const char16_t* name, const char16_t* defaultValue,
                               bool append = false) const = 0;

  // This element and its subtree on one line (target acquired when null; emptied unless `append`).
  virtual StrBuffer* toText(StrBuffer* target = nullptr, bool append = false) const = 0;
  // toText in UTF-8 without a byte-order mark.
  virtual ArrayU08* toBytes(ArrayU08* target = nullptr, bool append = false) const = 0;
  virtual Attributes* getAttributes() = 0;

  // Reads the whole file and parses it; false when the file cannot be read.
  virtual bool loadPath(const char16_t* path) = 0;
  virtual bool load(const s::file::IPath* path) = 0;
  // Writes toBytes to the file from its start, making its folder first when missing.
  virtual bool savePath(const char16_t* path) const = 0;
  virtual bool save(const s::file::IPath* path) const = 0;
};

}  // namespace s::xml
