// The Win32 resource functions over the registry of embedded resources. Only the executable carries
// resources; the platform's built-in modules have none. A resource handle is the address of its
// registry entry and a data handle the address of its bytes, so LockResource has nothing to do.
#include <win/error.h>
#include <win/module.h>
#include <win/resource.h>

#include "kernel/BuiltinModule.h"
#include "kernel/resource/ResourceRegistry.h"

using platform::kernel::resource::EmbeddedResource;
using platform::kernel::resource::ResourceKey;
using platform::kernel::resource::ResourceRegistry;

namespace {

// Whether `module` is the executable; otherwise sets the error that explains why it has no resources.
bool isExecutable(HMODULE module) {
  if (!module || module == GetModuleHandleW(nullptr)) return true;
  SetLastError(kernel::builtinOf(module) ? ERROR_RESOURCE_DATA_NOT_FOUND : ERROR_INVALID_HANDLE);
  return false;
}

const EmbeddedResource* registered(HMODULE module, HRSRC resource) {
  if (!isExecutable(module)) return nullptr;
  if (!resource || !ResourceRegistry::contains(resource)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<const EmbeddedResource*>(resource);
}

}  // namespace

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (!isExecutable(module)) return nullptr;
  ResourceRegistry::Lookup result;
  const EmbeddedResource* found = ResourceRegistry::find(ResourceKey(name), ResourceKey(type), result);
  if (!found) {
    SetLastError(result == ResourceRegistry::Lookup::noType ? ERROR_RESOURCE_TYPE_NOT_FOUND
                                                            : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(const_cast<EmbeddedResource*>(found));
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* entry = registered(module, resource);
  if (!entry) return nullptr;
  return const_cast<unsigned char*>(entry->data);
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* entry = registered(module, resource);
  return entry ? entry->size : 0;
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }
