// Key objects: binding to a root and path, opening, creating, deleting, renaming and enumerating.
#include "reg/win/RegDir.h"

#include <win/crt.h>

#include <cstring>

#include "base/col/_array/ArrayP.h"
#include "base/str/strarray/StrArray.h"
#include "base/thread/EasyPooler.h"
#include "reg/win/NativeRegistry.h"

namespace s::reg::win {

namespace {

// The longest name a counted string can carry, in code units.
constexpr uint32_t kMaxCountedUnits = 0x7FFE;

struct RootNames {
  uint32_t root;
  const char16_t* name;
  const char16_t* nativeName;  // null: the current user's hive, known only at run time
};

const RootNames kRoots[] = {
    {IRegDir::kClassesRoot, u"HKEY_CLASSES_ROOT", u"\\Registry\\Machine\\SOFTWARE\\Classes"},
    {IRegDir::kCurrentUser, u"HKEY_CURRENT_USER", nullptr},
    {IRegDir::kLocalMachine, u"HKEY_LOCAL_MACHINE", u"\\Registry\\Machine"},
    {IRegDir::kUsers, u"HKEY_USERS", u"\\Registry\\User"},
    {IRegDir::kCurrentConfig, u"HKEY_CURRENT_CONFIG",
     u"\\Registry\\Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current"},
};

// The order in which full names are matched against the root names.
const uint32_t kFullNameOrder[] = {IRegDir::kUsers, IRegDir::kLocalMachine, IRegDir::kCurrentUser,
                                   IRegDir::kCurrentConfig, IRegDir::kClassesRoot};

const RootNames* rootNamesOf(uint32_t root) {
  for (const RootNames& names : kRoots)
    if (names.root == root) return &names;
  return nullptr;
}

uint32_t unitsOf(const char16_t* text) {
  uint32_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

}  // namespace

S_POOLED_IMPL(RegDir, s::thread::EasyPooler::kDefaultLimit)

RegDir::RegDir() : registry(NativeRegistry::instance()) { reset(); }

RegDir::~RegDir() { close(); }

void RegDir::reset() {
  close();
  valueData.freeMemory();
  expanded.freeMemory();
  std::memset(&valueName, 0, sizeof valueName);
  std::memset(&objectName, 0, sizeof objectName);
  setRoot(kLocalMachine);
  path.freeMemory();
  fullName.freeMemory();
  nativeName.freeMemory();
  InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
}

RegDir* RegDir::acquireKey(uint32_t rootValue, const char16_t* text) {
  RegDir* key = acquire();
  if (key) key->openKey(rootValue, text);
  return key;
}

void RegDir::setRoot(uint32_t value) {
  root = value;
  const RootNames* names = rootNamesOf(value);
  if (!names) return;
  rootName.setText(names->name);
  if (names->nativeName) {
    rootNativeName.setText(names->nativeName);
  } else {
    const StrBuffer& user = registry.getCurrentUserNativeName();
    rootNativeName.setChars(user.getChars(), static_cast<int32_t>(user.length()));
  }
}

bool RegDir::initCounted(UNICODE_STRING* target, const char16_t* text) {
  if (!text) text = u"";
  if (unitsOf(text) > kMaxCountedUnits) {
    std::memset(target, 0, sizeof *target);
    return false;
  }
  registry.nt().initUnicodeString(target, text);
  return true;
}

int32_t RegDir::open(const char16_t* text) {
  path.setText(text ? text : u"");
  while (path.length() > 0 && path.charAt(path.length() - 1) == u'\\') path.setLength(path.length() - 1);
  // The root itself has no trailing separator: the native names refuse one.
  fullName.setStr(&rootName);
  nativeName.setStr(&rootNativeName);
  if (path.length() > 0) {
    fullName.appendChar(u'\\');
    fullName.appendStr(&path);
    nativeName.appendChar(u'\\');
    nativeName.appendStr(&path);
  }
  close();
  return openHandle();
}

NTSTATUS RegDir::openHandle() {
  if (!initCounted(&objectName, nativeName.getText())) return STATUS_OBJECT_NAME_INVALID;
  attributes.ObjectName = &objectName;
  HANDLE opened = nullptr;
  NTSTATUS status = registry.nt().openKey(&opened, KEY_ALL_ACCESS, &attributes);
  handle = NT_SUCCESS(status) ? opened : nullptr;
  return status;
}

RegDir::StrBuffer* RegDir::getName(StrBuffer* out, bool append) {
  if (!out) {
    out = StrBuffer::acquire();
    if (!out) return nullptr;
  } else if (!append) {
    out->clear();
  }
  uint32_t separator = 0;
  uint32_t start = path.lastIndexOf(u'\\', &separator) ? separator + 1 : 0;
  out->appendChars(path.getChars() ? path.getChars() + start : nullptr,
                   static_cast<int32_t>(path.length() - start));
  return out;
}

int32_t RegDir::openFullName(const char16_t* text) {
  if (!text) text = u"";
  for (uint32_t rootValue : kFullNameOrder) {
    const char16_t* name = rootNamesOf(rootValue)->name;
    uint32_t length = unitsOf(name);
    if (_wcsnicmp(text, name, length) != 0) continue;
    // The root name must end where a separator or the text ends, so "HKEY_USERSX" is no root.
    char16_t next = text[length];
    if (next == 0) return openKey(rootValue, u"");
    if (next != u'\\') break;
    return openKey(rootValue, text + length + 1);
  }
  return openKey(kCurrentUser, u"InvalidKey");
}

int32_t RegDir::openKey(uint32_t rootValue, const char16_t* text) {
  setRoot(rootValue);
  return open(text);
}

void RegDir::close() {
  if (!handle) return;
  registry.nt().closeHandle(handle);
  handle = nullptr;
}

bool RegDir::exists() {
  if (!handle) return false;
  close();
  return NT_SUCCESS(openHandle());
}

RegDir* RegDir::getParent() {
  uint32_t separator = 0;
  StrBuffer* parentPath = StrBuffer::acquire();
  if (!parentPath) return nullptr;
  if (path.lastIndexOf(u'\\', &separator)) parentPath->setChars(path.getChars(), static_cast<int32_t>(separator));
  RegDir* parent = acquireKey(root, parentPath->getText());
  parentPath->release();
  return parent;
}

int32_t RegDir::create() {
  if (handle) return STATUS_SUCCESS;
  if (!initCounted(&objectName, nativeName.getText())) return STATUS_OBJECT_NAME_INVALID;
  attributes.ObjectName = &objectName;
  ULONG disposition = 0;
  HANDLE created = nullptr;
  NTSTATUS status = registry.nt().createKey(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr,
                                            REG_OPTION_NON_VOLATILE, &disposition);
  if (NT_SUCCESS(status)) {
    handle = created;
    return status;
  }
  // The root cannot be made from anything above it: the climb ends there.
  if (path.length() == 0) return status;
  RegDir* parent = getParent();
  if (!parent) return status;
  parent->create();
  parent->release();
  created = nullptr;
  status = registry.nt().createKey(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   &disposition);
  if (NT_SUCCESS(status)) handle = created;
  return status;
}

int32_t RegDir::deleteKey(bool withSelf) {
  if (!handle) {
    NTSTATUS status = openHandle();
    if (!NT_SUCCESS(status)) return status;
  }
  ArrayP* subKeys = getSubKeys();
  if (subKeys) {
    for (uint32_t i = 0; i < subKeys->size(); ++i) static_cast<RegDir*>(subKeys->get(i))->deleteKey(true);
    subKeys->release();
  }
  if (!withSelf) return STATUS_SUCCESS;
  NTSTATUS status = registry.nt().deleteKey(handle);
  close();
  return status;
}

int32_t RegDir::rename(const char16_t* newName) {
  if (!handle) {
    NTSTATUS status = openHandle();
    if (!NT_SUCCESS(status)) return status;
  }
  UNICODE_STRING counted;
  NTSTATUS status = initCounted(&counted, newName) ? registry.nt().renameKey(handle, &counted)
                                                    : STATUS_OBJECT_NAME_INVALID;
  close();
  return status;
}

void RegDir::flush() {
  if (handle) registry.nt().flushKey(handle);
}

void RegDir::subKeyPath(const char16_t* name, uint32_t units, StrBuffer* out) {
  out->setStr(&path);
  if (path.length() > 0) out->appendChar(u'\\');
  out->appendChars(name, static_cast<int32_t>(units));
}

RegDir::ArrayP* RegDir::collectSubKeys(const char16_t* prefix, s::thread::ObjLocker& buffer) {
  ArrayP* keys = ArrayP::acquire();
  if (!keys) return nullptr;
  // The array owns the key objects: releasing it gives them back to their pool.
  keys->setElementDestroyer(pool());
  if (!handle) return keys;
  StrBuffer* childPath = StrBuffer::acquire();
  if (!childPath) return keys;
  uint32_t prefixUnits = unitsOf(prefix);
  {
    s::thread::ObjLocker::Scope guard(buffer);
    ArrayU08* bytes = buffer.heldAs<ArrayU08>();
    const uint32_t capacity = bytes ? bytes->size() : 0;
    const uint32_t nameOffset = offsetof(KEY_BASIC_INFORMATION, Name);
    for (ULONG index = 0; bytes; ++index) {
      ULONG got = 0;
      NTSTATUS status = registry.nt().enumerateKey(handle, index, KeyBasicInformation, bytes->data(), capacity, &got);
      if (!NT_SUCCESS(status)) break;
      KEY_BASIC_INFORMATION info;
      std::memcpy(&info, bytes->data(), nameOffset);
      // A name the buffer cannot hold ends the enumeration.
      if (info.NameLength > capacity - nameOffset) break;
      const auto* name = reinterpret_cast<const char16_t*>(bytes->data() + nameOffset);
      uint32_t units = info.NameLength / 2;
      if (prefix && (units < prefixUnits || _wcsnicmp(name, prefix, prefixUnits) != 0)) continue;
      RegDir* child = acquire();
      if (!child) break;
      subKeyPath(name, units, childPath);
      child->openKey(root, childPath->getText());
      keys->appendPointer(child);
    }
  }
  childPath->release();
  return keys;
}

RegDir::ArrayP* RegDir::getSubKeys() { return collectSubKeys(nullptr, registry.subKeyBuffer()); }

RegDir::ArrayP* RegDir::getSubKeysStartingWith(const char16_t* prefix) {
  return collectSubKeys(prefix ? prefix : u"", registry.prefixBuffer());
}

RegDir::StrArray* RegDir::getValueNames() {
  StrArray* names = StrArray::acquire();
  if (!names || !handle) return names;
  s::thread::ObjLocker& buffer = registry.valueNameBuffer();
  s::thread::ObjLocker::Scope guard(buffer);
  ArrayU08* bytes = buffer.heldAs<ArrayU08>();
  const uint32_t capacity = bytes ? bytes->size() : 0;
  const uint32_t nameOffset = offsetof(KEY_VALUE_BASIC_INFORMATION, Name);
  for (ULONG index = 0; bytes; ++index) {
    ULONG got = 0;
    NTSTATUS status =
        registry.nt().enumerateValueKey(handle, index, KeyValueBasicInformation, bytes->data(), capacity, &got);
    if (!NT_SUCCESS(status)) break;
    KEY_VALUE_BASIC_INFORMATION info;
    std::memcpy(&info, bytes->data(), nameOffset);
    if (info.NameLength > capacity - nameOffset) break;
    StrBuffer* name = StrBuffer::acquire();
    if (!name) break;
    name->setChars(reinterpret_cast<const char16_t*>(bytes->data() + nameOffset),
                   static_cast<int32_t>(info.NameLength / 2));
    names->add(name);
  }
  return names;
}

uint64_t RegDir::getTotalSize(bool withSubKeys, uint32_t* valueCounter, uint32_t* subKeyCounter, bool withValues) {
  uint64_t total = 0;
  if (withSubKeys && exists()) {
    ArrayP* subKeys = getSubKeys();
    if (subKeys) {
      if (subKeyCounter) *subKeyCounter += subKeys->size();
      for (uint32_t i = 0; i < subKeys->size(); ++i)
        total += static_cast<RegDir*>(subKeys->get(i))->getTotalSize(true, valueCounter, subKeyCounter, true);
      subKeys->release();
    }
  }
  if (withValues) {
    StrArray* names = getValueNames();
    if (names) {
      if (valueCounter) *valueCounter += names->size();
      for (uint32_t i = 0; i < names->size(); ++i) total += getValueSize(names->get(i)->getText());
      names->release();
    }
  }
  return total;
}

}  // namespace s::reg::win
