// The one node class of the XML dialect: an element with its name, its attribute records and text
// runs, and its child elements. Nodes come from their pool; releasing a root gives the whole tree
// back. Values are kept escaped, as they stand in the document, until a getter reads them.
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayP.h"
#include "xml/Attributes.h"
#include "xml/IXml.h"

namespace s::xml {

class Node final : public IXml {
  S_CLASS_NAME(u"s_xml_Node")
  S_POOLED(Node)

 public:
  Node();
  ~Node() override;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  // Empty again: no name, no attributes, no children (all given back to their pools).
  void reset() override;

  uint32_t childCount() const override { return children.size(); }
  void clear() override;
  void dumpTree(const char16_t* indent) override;
  const char16_t* parse(const char16_t* text) override;
  void parseBytes(const ArrayU08* bytes) override;

  const char16_t* getName() const override { return name; }
  int32_t getNameLength() const { return nameLength; }
  void setName(const char16_t* text, int32_t length = -1) override;
  bool nameEquals(const char16_t* text, int32_t length = -1) const override;
  bool isComment() const override { return name && name[0] == u'!'; }

  Node* getChild(uint32_t index) const override { return static_cast<Node*>(children.get(index)); }
  Node* addChild(const char16_t* childName, int32_t length = -1) override;
  void appendChild(Node* child) override;
  void removeChild(uint32_t index) override;
  bool findChild(const char16_t* childName, uint32_t* index, int32_t length = -1) const override;
  Node* childByName(const char16_t* childName, int32_t length = -1) const override;

  void setU64(const char16_t* attrName, uint64_t value) override;
  void setU32(const char16_t* attrName, uint32_t value) override;
  void setU16(const char16_t* attrName, uint16_t value) override;
  void setU8(const char16_t* attrName, uint8_t value) override;
  void setI64(const char16_t* attrName, int64_t value) override;
  void setI32(const char16_t* attrName, int32_t value) override;
  void setI16(const char16_t* attrName, int16_t value) override;
  void setI8(const char16_t* attrName, int8_t value) override;
  void setFloat(const char16_t* attrName, float value) override;
  void setDouble(const char16_t* attrName, double value) override;
  void setString(const char16_t* attrName, const char16_t* text) override;
  void setArrayU64(const char16_t* attrName, const uint64_t* values, uint32_t count) override;
  void setArrayU32(const char16_t* attrName, const uint32_t* values, uint32_t count) override;
  void setArrayU16(const char16_t* attrName, const uint16_t* values, uint32_t count) override;
  void setArrayU8(const char16_t* attrName, const uint8_t* values, uint32_t count) override;
  void setArrayI64(const char16_t* attrName, const int64_t* values, uint32_t count) override;
  void setArrayI32(const char16_t* attrName, const int32_t* values, uint32_t count) override;
  void setArrayI16(const char16_t* attrName, const int16_t* values, uint32_t count) override;
  void setArrayI8(const char16_t* attrName, const int8_t* values, uint32_t count) override;
  void setArray32(const char16_t* attrName, const uint32_t* values, uint32_t count) override;
  void setArray64Halves(const char16_t* attrName, const uint64_t* values, uint32_t count) override;

  const char16_t* getRaw(const char16_t* attrName, const char16_t* defaultValue) const override;
  bool getBool(const char16_t* attrName, bool defaultValue) const override;
  int8_t getI8(const char16_t* attrName, int8_t defaultValue) const override;
  int16_t getI16(const char16_t* attrName, int16_t defaultValue) const override;
  int32_t getI32(const char16_t* attrName, int32_t defaultValue) const override;
  int64_t getI64(const char16_t* attrName, int64_t defaultValue) const override;
  uint8_t getU8(const char16_t* attrName, uint8_t defaultValue) const override;
  uint16_t getU16(const char16_t* attrName, uint16_t defaultValue) const override;
  uint32_t getU32(const char16_t* attrName, uint32_t defaultValue) const override;
  uint64_t getU64(const char16_t* attrName, uint64_t defaultValue) const override;
  float getFloat(const char16_t* attrName, float defaultValue) const override;
  double getDouble(const char16_t* attrName, double defaultValue) const override;
  StrBuffer* getString(StrBuffer* target, const char16_t* attrName, const char16_t* defaultValue,
                       bool append = false) const override;

  StrBuffer* toText(StrBuffer* target = nullptr, bool append = false) const override;
  ArrayU08* toBytes(ArrayU08* target = nullptr, bool append = false) const override;
  Attributes* getAttributes() override { return &attributes; }
  const Attributes* getAttributes() const { return &attributes; }

  bool loadPath(const char16_t* path) override;
  bool load(const s::file::IPath* path) override;
  bool savePath(const char16_t* path) const override;
  bool save(const s::file::IPath* path) const override;

  // Appends this element's text to `out` (the writer's recursion).
  void appendText(StrBuffer* out) const;

 private:
  // Appends a record whose value is `text` escaped by the scheme its name calls for.
  void appendEscaped(const char16_t* attrName, const char16_t* text, int32_t length);
  // Appends a record with an already formatted value (numbers and hexadecimal need no escaping).
  void appendFormatted(const char16_t* attrName, const char16_t* value, int32_t length);

  // Frees the name's block unless it lives in the node itself; the name is null afterwards.
  void dropName();

  // Names this short (nearly every element name) are kept in the node, sparing a heap block per
  // element; longer ones get a block of their own.
  static constexpr int32_t kInlineNameUnits = 15;

  s::col::_array::ArrayP children;
  Attributes attributes;
  char16_t* name = nullptr;
  int32_t nameLength = 0;
  char16_t inlineName[kInlineNameUnits + 1] = {};
};

}  // namespace s::xml
