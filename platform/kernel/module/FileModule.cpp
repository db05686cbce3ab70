#include "kernel/module/FileModule.h"

#include <win/error.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "kernel/file/FilePath.h"

namespace {

struct FileModuleRecord {
  void* library;
  unsigned long references;
};

std::mutex& fileModuleLock() {
  static std::mutex lock;
  return lock;
}

// Records of the loaded files; each lives until its file is unloaded.
std::vector<FileModuleRecord*>& loadedFiles() {
  static auto* files = new std::vector<FileModuleRecord*>();
  return *files;
}

// The record behind a handle; the caller holds the lock.
std::vector<FileModuleRecord*>::iterator findRecord(HMODULE module) {
  auto& files = loadedFiles();
  for (auto it = files.begin(); it != files.end(); ++it)
    if (reinterpret_cast<HMODULE>(*it) == module) return it;
  return files.end();
}

}  // namespace

namespace kernel {

bool namesModuleFile(LPCWSTR name) {
  if (!name) return false;
  for (const WCHAR* c = name; *c; ++c)
    if (*c == u'/' || *c == u'\\') return true;
  return false;
}

HMODULE loadModuleFile(LPCWSTR name) {
  std::string path;
  if (!platform::kernel::file::toPosixPath(name, path)) return nullptr;
  // Only absolute paths are loaded: a relative name would depend on the loader's search rules.
  struct stat info;
  if (path[0] != '/' || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(fileModuleLock());
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  // dlopen answers the same handle for a file already loaded; it counts its own references too.
  for (FileModuleRecord* record : loadedFiles()) {
    if (record->library == library) {
      ++record->references;
      return reinterpret_cast<HMODULE>(record);
    }
  }
  auto* record = new FileModuleRecord{library, 1};
  loadedFiles().push_back(record);
  return reinterpret_cast<HMODULE>(record);
}

bool isModuleFile(HMODULE module) {
  std::lock_guard<std::mutex> guard(fileModuleLock());
  return findRecord(module) != loadedFiles().end();
}

FARPROC moduleFileProc(HMODULE module, LPCSTR procName) {
  std::lock_guard<std::mutex> guard(fileModuleLock());
  auto it = findRecord(module);
  if (it == loadedFiles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Lookups by ordinal (a "name" below 0x10000) have no counterpart in an ELF module.
  if (!procName || reinterpret_cast<uintptr_t>(procName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* address = ::dlsym((*it)->library, procName);
  if (!address) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(address);
}

bool freeModuleFile(HMODULE module) {
  std::lock_guard<std::mutex> guard(fileModuleLock());
  auto it = findRecord(module);
  if (it == loadedFiles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  FileModuleRecord* record = *it;
  ::dlclose(record->library);
  if (--record->references == 0) {
    loadedFiles().erase(it);
    delete record;
  }
  return true;
}

}  // namespace kernel
