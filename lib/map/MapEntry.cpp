#include "map/MapEntry.h"

#include <cstdlib>
#include <cstring>

#include "base/thread/EasyPooler.h"

namespace s::map {

s::thread::EasyPooler* MapEntry::pool() {
  static s::thread::EasyPooler* const instance = s::thread::EasyPooler::registerForExit(new s::thread::EasyPooler(
      kPoolLimit, []() -> void* { return std::calloc(1, sizeof(MapEntry)); }, [](void* record) { std::free(record); },
      [](void* record) { std::memset(record, 0, sizeof(MapEntry)); }));
  return instance;
}

MapEntry* MapEntry::acquire() { return static_cast<MapEntry*>(pool()->generate()); }

void MapEntry::release(MapEntry* entry) {
  void* slot = entry;
  pool()->destruct(&slot);
}

}  // namespace s::map
