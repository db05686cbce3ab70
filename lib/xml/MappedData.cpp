#include "xml/MappedData.h"

#include "base/col/_array/ArrayU08.h"
#include "base/thread/EasyPooler.h"
#include "file/win/PathWin.h"
#include "xml/Node.h"

namespace s::xml {

namespace {

bool isSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

}  // namespace

S_POOLED_IMPL(MappedData, s::thread::EasyPooler::kDefaultLimit)

MappedData::MappedData() { reset(); }

MappedData::~MappedData() { reset(); }

void MappedData::reset() {
  if (root) root->release();
  if (file) file->release();
  root = nullptr;
  current = nullptr;
  file = nullptr;
  result.freeMemory();
  lastPath.freeMemory();
  autoSave = false;
}

MappedData* MappedData::openXmlFile(const char16_t* pathText) {
  MappedData* store = acquire();
  if (!store) return nullptr;
  store->reset();
  store->file = s::file::win::PathWin::acquireText(pathText ? pathText : u"");
  store->root = Node::acquire();
  if (!store->root) return store;
  bool loaded = store->file && store->file->exists() && store->root->load(store->file);
  if (!loaded) {
    store->root->clear();
    store->root->setName(kDefaultRootName);
  }
  store->lastPath.clear();
  store->current = store->root;
  return store;
}

void MappedData::save() {
  if (file && root) root->save(file);
}

bool MappedData::lookUp(const char16_t* path, bool create) {
  if (!path) path = u"";
  if (current && lastPath.regionMatchesIgnoreCase(0, path, 0, -1)) return true;
  lastPath.setText(path);
  current = root;
  if (!root || path[0] == 0) return current != nullptr;
  const char16_t* segment = path;
  for (;;) {
    const char16_t* end = segment;
    while (*end && !isSeparator(*end)) ++end;
    auto length = static_cast<int32_t>(end - segment);
    Node* child = current->childByName(segment, length);
    if (!child && create) {
      uint32_t before = current->childCount();
      child = current->addChild(segment, length);
      // A child the parent found no room for is gone already; never keep a pointer to it.
      if (current->childCount() == before) child = nullptr;
    }
    current = child;
    if (!current || *end == 0) break;
    segment = end + 1;
  }
  return current != nullptr;
}

bool MappedData::ensurePath(const char16_t* path) { return lookUp(path, true); }

bool MappedData::findPath(const char16_t* path) { return lookUp(path, false); }

void MappedData::removePath(const char16_t* path) {
  if (!path) path = u"";
  const char16_t* name = path;
  for (const char16_t* c = path; *c; ++c)
    if (isSeparator(*c)) name = c + 1;
  // The parent is found afresh: the cached element may lie inside the subtree about to go.
  lastPath.clear();
  current = nullptr;
  result.setChars(path, static_cast<int32_t>(name == path ? 0 : name - path - 1));
  if (lookUp(result.getText(), false)) {
    result.setText(name);
    uint32_t index = 0;
    if (current->findChild(result.getText(), &index, -1)) current->removeChild(index);
  }
  saveWhenAuto();
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
  return findPath(path) && current->getAttributes()->byName(name) != nullptr;
}

#define S_XML_MAPPED_GETTER(Type, Name)                                                  \
  Type MappedData::Name(const char16_t* path, const char16_t* name, Type defaultValue) {  \
    return findPath(path) ? current->Name(name, defaultValue) : defaultValue;            \
  }
S_XML_MAPPED_GETTER(uint8_t, getU8)
S_XML_MAPPED_GETTER(uint16_t, getU16)
S_XML_MAPPED_GETTER(uint32_t, getU32)
S_XML_MAPPED_GETTER(int8_t, getI8)
S_XML_MAPPED_GETTER(int16_t, getI16)
S_XML_MAPPED_GETTER(int32_t, getI32)
S_XML_MAPPED_GETTER(int64_t, getI64)
S_XML_MAPPED_GETTER(float, getFloat)
S_XML_MAPPED_GETTER(double, getDouble)
S_XML_MAPPED_GETTER(bool, getBool)
#undef S_XML_MAPPED_GETTER

uint64_t MappedData::getU64(const char16_t* path, const char16_t* name, uint64_t defaultValue) {
  // Both 64-bit getters read signed decimal text.
  if (!findPath(path)) return defaultValue;
  return static_cast<uint64_t>(current->getI64(name, static_cast<int64_t>(defaultValue)));
}

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name, const char16_t* defaultValue,
                                      bool* expandable, bool) {
  if (expandable) *expandable = false;
  if (!findPath(path)) return defaultValue;
  if (!current->getAttributes()->byName(name)) return defaultValue;
  current->getString(&result, name, u"", false);
  return result.getText();
}

MappedData::StrArray* MappedData::getStringArray(const char16_t*, const char16_t*) { return nullptr; }

MappedData::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name, ArrayU08* bytes) {
  if (!bytes) {
    bytes = ArrayU08::acquire();
    if (!bytes) return nullptr;
  }
  if (!findPath(path)) return bytes;
  current->getString(&result, name, u"", false);
  return result.hexToBytes(bytes, false);
}

void MappedData::removeValue(const char16_t* path, const char16_t* name) {
  if (findPath(path)) current->getAttributes()->removeFirst(name);
  saveWhenAuto();
}

Node* MappedData::prepareWrite(const char16_t* path, const char16_t* name) {
  if (!ensurePath(path)) return nullptr;
  // The new record goes to the end of the list: an updated attribute moves behind the others.
  current->getAttributes()->removeFirst(name);
  return current;
}

#define S_XML_MAPPED_SETTER(Type, Name)                                            \
  void MappedData::Name(const char16_t* path, const char16_t* name, Type value) {  \
    if (Node* node = prepareWrite(path, name)) node->Name(name, value);            \
    saveWhenAuto();                                                                \
  }
S_XML_MAPPED_SETTER(uint8_t, setU8)
S_XML_MAPPED_SETTER(uint16_t, setU16)
S_XML_MAPPED_SETTER(uint32_t, setU32)
S_XML_MAPPED_SETTER(uint64_t, setU64)
S_XML_MAPPED_SETTER(int8_t, setI8)
S_XML_MAPPED_SETTER(int16_t, setI16)
S_XML_MAPPED_SETTER(int32_t, setI32)
S_XML_MAPPED_SETTER(int64_t, setI64)
S_XML_MAPPED_SETTER(float, setFloat)
S_XML_MAPPED_SETTER(double, setDouble)
#undef S_XML_MAPPED_SETTER

void MappedData::setString(const char16_t* path, const char16_t* name, const char16_t* text) {
  if (Node* node = prepareWrite(path, name)) node->setString(name, text ? text : u"");
  saveWhenAuto();
}

void MappedData::setBool(const char16_t* path, const char16_t* name, bool value) {
  if (Node* node = prepareWrite(path, name)) node->setString(name, value ? u"1" : u"0");
  saveWhenAuto();
}

void MappedData::setExpandString(const char16_t* path, const char16_t* name, const char16_t* text) {
  setString(path, name, text);
}

void MappedData::setStringArray(const char16_t*, const char16_t*, const StrArray*) { saveWhenAuto(); }

void MappedData::setBytes(const char16_t* path, const char16_t* name, const ArrayU08* bytes) {
  if (Node* node = prepareWrite(path, name))
    node->setArrayU8(name, bytes && bytes->size() ? bytes->data() : nullptr, bytes ? bytes->size() : 0);
  saveWhenAuto();
}

}  // namespace s::xml
