// The raw record of one pair in the hash table: its hash, the key, the value and the next record of
// its bucket's chain. Records come from their own fixed-size pool (zeroed memory, kept up to 10000).
#pragma once

#include <cstdint>

#include "base/IComparable.h"

namespace s::thread {
class EasyPooler;
}

namespace s::map {

struct MapTableEntry {
  uint32_t hash;
  s::base::IComparable* key;
  void* value;
  MapTableEntry* next;

  static constexpr uint32_t kPoolLimit = 10000;

  static s::thread::EasyPooler* pool();
  // A zeroed record, or null when memory runs out.
  static MapTableEntry* acquire();
  static void release(MapTableEntry* entry);
};

}  // namespace s::map
