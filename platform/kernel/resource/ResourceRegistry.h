// The resources compiled into the program. Each generated resource file registers its entry from a
// static initialiser; lookups walk the entries in registration order. The list needs no construction,
// so registering before main (in whatever order the objects are initialised) is safe.
#pragma once

#include "kernel/resource/EmbeddedResource.h"
#include "kernel/resource/ResourceKey.h"

namespace platform::kernel::resource {

class ResourceRegistry {
 public:
  // Adds `resource` unless one of the same name and type is already there (the first one stays).
  // Answers whether it was added.
  static bool add(EmbeddedResource& resource);

  enum class Lookup { found, noType, noName };
  // The first resource of that name and type; `result` tells why there is none.
  static const EmbeddedResource* find(const ResourceKey& name, const ResourceKey& type, Lookup& result);
  // Whether `resource` is one of the registered entries (so that a handle can be checked before use).
  static bool contains(const void* resource);
};

}  // namespace platform::kernel::resource
