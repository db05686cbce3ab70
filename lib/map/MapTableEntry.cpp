#include "map/MapTableEntry.h"

#include <cstdlib>
#include <cstring>

#include "base/thread/EasyPooler.h"

namespace s::map {

s::thread::EasyPooler* MapTableEntry::pool() {
  static s::thread::EasyPooler* const instance = s::thread::EasyPooler::registerForExit(new s::thread::EasyPooler(
      kPoolLimit, []() -> void* { return std::calloc(1, sizeof(MapTableEntry)); }, [](void* record) { std::free(record); },
      [](void* record) { std::memset(record, 0, sizeof(MapTableEntry)); }));
  return instance;
}

MapTableEntry* MapTableEntry::acquire() { return static_cast<MapTableEntry*>(pool()->generate()); }

void MapTableEntry::release(MapTableEntry* entry) {
  void* slot = entry;
  pool()->destruct(&slot);
}

}  // namespace s::map
