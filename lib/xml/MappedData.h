// The key/value store over an XML document kept in memory and saved to its file: each path segment
// ("/" and "\" both separate) is a nested element, a value name is an attribute of the element the
// path names and the empty name is its text. The element of the last path is kept, so a run of reads
// and writes on one path walks the tree once. With automatic saving on, every write rewrites the file.
#pragma once

#include "base/str/strbuffer/StrBuffer.h"
#include "map/IMappedData.h"

namespace s::file {
class IPath;
}

namespace s::xml {

class Node;

class MappedData final : public s::map::IMappedData {
  S_CLASS_NAME(u"s_xml_MappedData")
  S_POOLED(MappedData)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  // The root element of a store whose file did not exist.
  static constexpr const char16_t* kDefaultRootName = u"savedata";

  MappedData();
  ~MappedData() override;
  MappedData(const MappedData&) = delete;
  MappedData& operator=(const MappedData&) = delete;

  // Releases the document and the file and empties the strings; it does not save.
  void reset() override;

  // A store from the pool bound to the file: its document when the file exists, otherwise an empty
  // "savedata" element.
  static MappedData* openXmlFile(const char16_t* pathText);

  Node* getRootNode() const { return root; }
  s::file::IPath* getFile() const { return file; }

  // Writes the document to the file (when the store has one), making its folder when missing.
  void save() override;
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
  // Points current at the element the path names (reusing it for the same path); appends the
  // missing elements when asked, otherwise current becomes null at the first missing one.
  bool lookUp(const char16_t* path, bool create);
  // The element for a setter with the old record of that name removed, or null.
  Node* prepareWrite(const char16_t* path, const char16_t* name);
  void saveWhenAuto() {
    if (autoSave) save();
  }

  s::file::IPath* file = nullptr;
  StrBuffer result;
  StrBuffer lastPath;
  Node* root = nullptr;
  Node* current = nullptr;
  bool autoSave = false;
};

}  // namespace s::xml
