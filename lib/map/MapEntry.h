// The raw record of one key in the hash set: its hash, the key and the next record of its bucket's
// chain. Records come from their own fixed-size pool (zeroed memory, kept up to 10000).
#pragma once

#include <cstdint>

#include "base/IComparable.h"

namespace s::thread {
class EasyPooler;
}

namespace s::map {

struct MapEntry {
  uint32_t hash;
  s::base::IComparable* key;
  MapEntry* next;

  static constexpr uint32_t kPoolLimit = 10000;

  static s::thread::EasyPooler* pool();
  // A zeroed record, or null when memory runs out.
  static MapEntry* acquire();
  static void release(MapEntry* entry);
};

}  // namespace s::map
