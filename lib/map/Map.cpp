#include "map/Map.h"

#include "base/thread/EasyPooler.h"
#include "map/BucketChains.h"

namespace s::map {

namespace {

void dispose(s::base::IDestructor* destroyer, s::base::IComparable* object) {
  if (!destroyer || !object) return;
  void* slot = object;
  destroyer->destruct(&slot);
}

}  // namespace

S_POOLED_IMPL(Map, s::thread::EasyPooler::kDefaultLimit)

Map::Map() { reset(); }

Map::~Map() {
  clear(keyDestroyer);
}

void Map::reset() {
  clear(keyDestroyer);
  buckets.freeMemory();
  level = 0;
  keyDestroyer = nullptr;
  ignoreCase = false;
}

uint32_t Map::hashOf(const IComparable* key) const { return ignoreCase ? key->hashCodeIgnoreCase() : key->hashCode(); }

bool Map::same(const MapEntry* entry, uint32_t hash, const IComparable* key) const {
  if (entry->hash != hash) return false;
  return ignoreCase ? key->equalsIgnoreCase(entry->key) : key->equals(entry->key);
}

bool Map::allocateBuckets() { return BucketChains::allocate(buckets, level); }

void Map::appendToChain(MapEntry* entry) { BucketChains::append(buckets, entry); }

void Map::grow() { BucketChains::grow<MapEntry>(buckets, level); }

bool Map::add(IComparable* key) {
  if (!key) return false;
  if (buckets.size() == 0) {
    if (!allocateBuckets()) return false;
  } else if (BucketLevels::isFull(count, buckets.size()) && level < BucketLevels::kMaxLevel) {
    grow();
  }
  uint32_t hash = hashOf(key);
  for (MapEntry* e = head(hash % buckets.size()); e; e = e->next)
    if (same(e, hash, key)) return false;
  MapEntry* entry = MapEntry::acquire();
  if (!entry) return false;
  entry->hash = hash;
  entry->key = key;
  appendToChain(entry);
  ++count;
  return true;
}

Map::IComparable* Map::find(const IComparable* key) const {
  if (!key || buckets.size() == 0) return nullptr;
  uint32_t hash = hashOf(key);
  for (MapEntry* e = head(hash % buckets.size()); e; e = e->next)
    if (same(e, hash, key)) return e->key;
  return nullptr;
}

bool Map::remove(const IComparable* key, IDestructor* destroyer) {
  if (!key || buckets.size() == 0) return false;
  uint32_t hash = hashOf(key);
  uint32_t bucket = hash % buckets.size();
  MapEntry* previous = nullptr;
  for (MapEntry* e = head(bucket); e; previous = e, e = e->next) {
    if (!same(e, hash, key)) continue;
    if (previous) previous->next = e->next;
    else buckets.set(bucket, e->next);
    --count;
    IComparable* stored = e->key;
    MapEntry::release(e);
    dispose(destroyer, stored);
    return true;
  }
  return false;
}

void Map::clear(IDestructor* destroyer) {
  for (uint32_t i = 0; i < buckets.size(); ++i) {
    MapEntry* e = head(i);
    buckets.set(i, nullptr);
    while (e) {
      MapEntry* next = e->next;
      IComparable* stored = e->key;
      MapEntry::release(e);
      dispose(destroyer, stored);
      e = next;
    }
  }
  count = 0;
}

void Map::forEach(void (*visit)(IComparable* key, void* context), void* context) const {
  if (!visit) return;
  for (uint32_t i = 0; i < buckets.size(); ++i)
    for (MapEntry* e = head(i); e; e = e->next) visit(e->key, context);
}

}  // namespace s::map
