#include "reg/MappedData.h"

#include "base/thread/EasyPooler.h"
#include "reg/win/RegDir.h"

namespace s::reg {

using s::reg::win::RegDir;

S_POOLED_IMPL(MappedData, s::thread::EasyPooler::kDefaultLimit)

MappedData::MappedData() { reset(); }

MappedData::~MappedData() { reset(); }

void MappedData::reset() {
  if (current) current->release();
  if (root) root->release();
  current = nullptr;
  root = nullptr;
  scratch.freeMemory();
  lastPath.freeMemory();
  autoSave = false;
}

MappedData* MappedData::openRegistry(const char16_t* keyText) {
  MappedData* store = acquire();
  if (!store) return nullptr;
  if (!store->root) store->root = RegDir::acquireKey(IRegDir::kCurrentUser, keyText);
  store->lastPath.clear();
  if (store->current) store->current->release();
  store->current = store->root ? RegDir::acquireKey(store->root->getRoot(), store->root->getPath()) : nullptr;
  return store;
}

RegDir* MappedData::acquireKeyFor(const char16_t* path) {
  if (!root) return nullptr;
  scratch.setText(root->getPath());
  if (path && path[0]) {
    if (scratch.length() > 0) scratch.appendChar(u'\\');
    uint32_t start = scratch.length();
    scratch.appendText(path);
    // The registry reads "/" as part of a name; the store reads it as a separator.
    for (uint32_t i = start; i < scratch.length(); ++i)
      if (scratch.charAt(i) == u'/') *scratch.charPointer(i) = u'\\';
  }
  return RegDir::acquireKey(root->getRoot(), scratch.getText());
}

bool MappedData::lookUp(const char16_t* path, bool create) {
  if (!path) path = u"";
  if (!current || !lastPath.regionMatchesIgnoreCase(0, path, 0, -1)) {
    lastPath.setText(path);
    if (current) current->release();
    current = acquireKeyFor(path);
    if (!current) return false;
  }
  if (!current->isOpen() && create) current->create();
  return current->isOpen();
}

bool MappedData::ensurePath(const char16_t* path) { return lookUp(path, true); }

bool MappedData::findPath(const char16_t* path) { return lookUp(path, false); }

void MappedData::removePath(const char16_t* path) {
  if (!path) path = u"";
  // The empty path would name the store's own key; the store never deletes itself.
  if (path[0] == 0) return;
  lastPath.setText(path);
  if (current) current->release();
  current = acquireKeyFor(path);
  if (current && current->isOpen()) {
    current->deleteKey(true);
    current->release();
    current = nullptr;
  }
  saveWhenAuto();
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
  return findPath(path) && current->queryValue(name, nullptr, nullptr, IRegDir::kAnyType);
}

#define S_REG_MAPPED_GETTER(Type, Name)                                                       \
  Type MappedData::Name(const char16_t* path, const char16_t* name, Type defaultValue) {       \
    return findPath(path) ? current->Name(name, defaultValue) : defaultValue;                 \
  }
S_REG_MAPPED_GETTER(uint8_t, getU8)
S_REG_MAPPED_GETTER(uint16_t, getU16)
S_REG_MAPPED_GETTER(uint32_t, getU32)
S_REG_MAPPED_GETTER(uint64_t, getU64)
S_REG_MAPPED_GETTER(int8_t, getI8)
S_REG_MAPPED_GETTER(int16_t, getI16)
S_REG_MAPPED_GETTER(int32_t, getI32)
S_REG_MAPPED_GETTER(int64_t, getI64)
S_REG_MAPPED_GETTER(float, getFloat)
S_REG_MAPPED_GETTER(double, getDouble)
S_REG_MAPPED_GETTER(bool, getBool)
#undef S_REG_MAPPED_GETTER

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name, const char16_t* defaultValue,
                                      bool* expandable, bool expand) {
  if (expandable) *expandable = false;
  return findPath(path) ? current->getString(name, defaultValue, expandable, expand) : defaultValue;
}

MappedData::StrArray* MappedData::getStringArray(const char16_t*, const char16_t*) { return nullptr; }

MappedData::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name, ArrayU08* bytes) {
  return findPath(path) ? current->getBytes(name, bytes) : nullptr;
}

void MappedData::removeValue(const char16_t* path, const char16_t* name) {
  if (findPath(path)) current->removeValue(name);
  saveWhenAuto();
}

#define S_REG_MAPPED_SETTER(Type, Name)                                                 \
  void MappedData::Name(const char16_t* path, const char16_t* name, Type value) {       \
    if (ensurePath(path)) current->Name(name, value);                                   \
    saveWhenAuto();                                                                     \
  }
S_REG_MAPPED_SETTER(uint8_t, setU8)
S_REG_MAPPED_SETTER(uint16_t, setU16)
S_REG_MAPPED_SETTER(uint32_t, setU32)
S_REG_MAPPED_SETTER(uint64_t, setU64)
S_REG_MAPPED_SETTER(int8_t, setI8)
S_REG_MAPPED_SETTER(int16_t, setI16)
S_REG_MAPPED_SETTER(int32_t, setI32)
S_REG_MAPPED_SETTER(int64_t, setI64)
S_REG_MAPPED_SETTER(float, setFloat)
S_REG_MAPPED_SETTER(double, setDouble)
S_REG_MAPPED_SETTER(bool, setBool)
S_REG_MAPPED_SETTER(const char16_t*, setString)
S_REG_MAPPED_SETTER(const char16_t*, setExpandString)
S_REG_MAPPED_SETTER(const ArrayU08*, setBytes)
#undef S_REG_MAPPED_SETTER

void MappedData::setStringArray(const char16_t*, const char16_t*, const StrArray*) { saveWhenAuto(); }

}  // namespace s::reg
