// A singly linked list of the registered resources, guarded by a mutex that is constant-initialised, so
// both exist before any static initialiser of a generated resource file runs.
#include "kernel/resource/ResourceRegistry.h"

#include <mutex>

namespace platform::kernel::resource {

namespace {

constinit std::mutex registryLock;
constinit EmbeddedResource* firstResource = nullptr;
constinit EmbeddedResource* lastResource = nullptr;

bool sameKey(const char16_t* textA, WORD idA, const char16_t* textB, WORD idB) {
  return ResourceKey(textA ? textA : reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(idA)))
      .matches(textB, idB);
}

}  // namespace

bool ResourceRegistry::add(EmbeddedResource& resource) {
  std::lock_guard<std::mutex> guard(registryLock);
  for (EmbeddedResource* r = firstResource; r; r = r->next) {
    if (r == &resource) return false;
    if (sameKey(r->name, r->nameId, resource.name, resource.nameId) &&
        sameKey(r->type, r->typeId, resource.type, resource.typeId))
      return false;
  }
  resource.next = nullptr;
  if (lastResource)
    lastResource->next = &resource;
  else
    firstResource = &resource;
  lastResource = &resource;
  return true;
}

const EmbeddedResource* ResourceRegistry::find(const ResourceKey& name, const ResourceKey& type, Lookup& result) {
  std::lock_guard<std::mutex> guard(registryLock);
  result = Lookup::noType;
  for (const EmbeddedResource* r = firstResource; r; r = r->next) {
    if (!type.matches(r->type, r->typeId)) continue;
    result = Lookup::noName;
    if (name.matches(r->name, r->nameId)) {
      result = Lookup::found;
      return r;
    }
  }
  return nullptr;
}

bool ResourceRegistry::contains(const void* resource) {
  std::lock_guard<std::mutex> guard(registryLock);
  for (const EmbeddedResource* r = firstResource; r; r = r->next)
    if (r == resource) return true;
  return false;
}

}  // namespace platform::kernel::resource
