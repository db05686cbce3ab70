// Modules of the process. The built-in modules are part of every process, as the system's own core
// library is: GetModuleHandleW finds them without loading, and FreeLibrary never unloads them. A handle
// is the address of the module's record; a record for a library file loaded with dlopen can later sit
// beside the built-in ones.
#include <win/error.h>
#include <win/module.h>

#include <mutex>
#include <string>

#include "kernel/BuiltinModule.h"
#include "kernel/module/FileModule.h"

namespace {

struct ModuleRecord {
  const kernel::BuiltinModule* builtin;  // null for the program itself
  unsigned long references;
};

std::mutex& moduleLock() {
  static std::mutex lock;
  return lock;
}

// One record per built-in module plus the program's, all living as long as the process.
ModuleRecord* records(size_t& count) {
  static ModuleRecord* table = [] {
    size_t builtins = 0;
    const kernel::BuiltinModule* const* modules = kernel::builtinModules(builtins);
    auto* out = new ModuleRecord[builtins + 1];
    for (size_t i = 0; i < builtins; ++i) out[i] = {modules[i], 1};
    out[builtins] = {nullptr, 1};
    return out;
  }();
  size_t builtins = 0;
  kernel::builtinModules(builtins);
  count = builtins + 1;
  return table;
}

ModuleRecord* programRecord() {
  size_t count = 0;
  ModuleRecord* table = records(count);
  return &table[count - 1];
}

ModuleRecord* recordOf(HMODULE module) {
  size_t count = 0;
  ModuleRecord* table = records(count);
  for (size_t i = 0; i < count; ++i)
    if (reinterpret_cast<HMODULE>(&table[i]) == module) return &table[i];
  return nullptr;
}

// "NTDLL", "ntdll.dll" and "NtDll.DLL" all name the module "ntdll"; a name with a folder is a file.
ModuleRecord* recordNamed(LPCWSTR name) {
  std::u16string base;
  for (const WCHAR* c = name; *c; ++c) {
    if (*c == u'\\' || *c == u'/' || *c == u':') return nullptr;
    base.push_back((*c >= u'A' && *c <= u'Z') ? static_cast<WCHAR>(*c + 32) : *c);
  }
  if (base.size() > 4 && base.compare(base.size() - 4, 4, u".dll") == 0) base.resize(base.size() - 4);
  size_t count = 0;
  ModuleRecord* table = records(count);
  for (size_t i = 0; i + 1 < count; ++i)
    if (base == table[i].builtin->baseName) return &table[i];
  return nullptr;
}

}  // namespace

namespace kernel {

const BuiltinModule* builtinOf(HMODULE module) {
  ModuleRecord* record = recordOf(module);
  return record ? record->builtin : nullptr;
}

}  // namespace kernel

HMODULE WINAPI LoadLibraryW(LPCWSTR fileName) {
  if (!fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A name with a folder is a library file, loaded from exactly that path.
  if (kernel::namesModuleFile(fileName)) return kernel::loadModuleFile(fileName);
  std::lock_guard<std::mutex> guard(moduleLock());
  ModuleRecord* record = recordNamed(fileName);
  if (!record) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  ++record->references;
  return reinterpret_cast<HMODULE>(record);
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
  if (!moduleName) return reinterpret_cast<HMODULE>(programRecord());
  std::lock_guard<std::mutex> guard(moduleLock());
  ModuleRecord* record = recordNamed(moduleName);
  if (!record) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(record);
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
  ModuleRecord* record = recordOf(module);
  if (!record && kernel::isModuleFile(module)) return kernel::moduleFileProc(module, procName);
  if (!record) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Lookups by ordinal (a "name" below 0x10000) are not offered by the built-in modules.
  if (!procName || reinterpret_cast<uintptr_t>(procName) < 0x10000 || !record->builtin) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  FARPROC address = record->builtin->find(procName);
  if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
  return address;
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  if (kernel::isModuleFile(module)) return kernel::freeModuleFile(module) ? TRUE : FALSE;
  std::lock_guard<std::mutex> guard(moduleLock());
  ModuleRecord* record = recordOf(module);
  if (!record) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // Built-in modules stay mapped; the count only mirrors the caller's loads.
  if (record->references > 1) --record->references;
  return TRUE;
}
