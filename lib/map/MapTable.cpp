#include "map/MapTable.h"

#include "base/thread/EasyPooler.h"
#include "map/BucketChains.h"

namespace s::map {

namespace {

void dispose(s::base::IDestructor* destroyer, void* object) {
  if (!destroyer || !object) return;
  void* slot = object;
  destroyer->destruct(&slot);
}

}  // namespace

S_POOLED_IMPL(MapTable, s::thread::EasyPooler::kDefaultLimit)

MapTable::MapTable() { reset(); }

MapTable::~MapTable() { clear(keyDestroyer, valueDestroyer); }

void MapTable::reset() {
  clear(keyDestroyer, valueDestroyer);
  buckets.freeMemory();
  level = 0;
  keyDestroyer = nullptr;
  valueDestroyer = nullptr;
  ignoreCase = false;
}

uint32_t MapTable::hashOf(const IComparable* key) const { return ignoreCase ? key->hashCodeIgnoreCase() : key->hashCode(); }

bool MapTable::same(const MapTableEntry* entry, uint32_t hash, const IComparable* key) const {
  if (entry->hash != hash) return false;
  return ignoreCase ? key->equalsIgnoreCase(entry->key) : key->equals(entry->key);
}

bool MapTable::allocateBuckets() { return BucketChains::allocate(buckets, level); }

void MapTable::appendToChain(MapTableEntry* entry) { BucketChains::append(buckets, entry); }

void MapTable::grow() { BucketChains::grow<MapTableEntry>(buckets, level); }

bool MapTable::put(IComparable* key, void* value) {
  if (!key) return false;
  if (buckets.size() == 0) {
    if (!allocateBuckets()) return false;
  } else if (BucketLevels::isFull(count, buckets.size()) && level < BucketLevels::kMaxLevel) {
    grow();
  }
  uint32_t hash = hashOf(key);
  for (MapTableEntry* e = head(hash % buckets.size()); e; e = e->next)
    if (same(e, hash, key)) return false;
  MapTableEntry* entry = MapTableEntry::acquire();
  if (!entry) return false;
  entry->hash = hash;
  entry->key = key;
  entry->value = value;
  appendToChain(entry);
  ++count;
  return true;
}

MapTableEntry* MapTable::findEntry(const IComparable* key) const {
  if (!key || buckets.size() == 0) return nullptr;
  uint32_t hash = hashOf(key);
  for (MapTableEntry* e = head(hash % buckets.size()); e; e = e->next)
    if (same(e, hash, key)) return e;
  return nullptr;
}

void* MapTable::get(const IComparable* key) const {
  MapTableEntry* entry = findEntry(key);
  return entry ? entry->value : nullptr;
}

bool MapTable::remove(const IComparable* key, IDestructor* keyDisposer, IDestructor* valueDisposer) {
  if (!key || buckets.size() == 0) return false;
  uint32_t hash = hashOf(key);
  uint32_t bucket = hash % buckets.size();
  MapTableEntry* previous = nullptr;
  for (MapTableEntry* e = head(bucket); e; previous = e, e = e->next) {
    if (!same(e, hash, key)) continue;
    if (previous) previous->next = e->next;
    else buckets.set(bucket, e->next);
    --count;
    IComparable* storedKey = e->key;
    void* storedValue = e->value;
    MapTableEntry::release(e);
    dispose(keyDisposer, storedKey);
    dispose(valueDisposer, storedValue);
    return true;
  }
  return false;
}

void MapTable::clear(IDestructor* keyDisposer, IDestructor* valueDisposer) {
  for (uint32_t i = 0; i < buckets.size(); ++i) {
    MapTableEntry* e = head(i);
    buckets.set(i, nullptr);
    while (e) {
      MapTableEntry* next = e->next;
      IComparable* storedKey = e->key;
      void* storedValue = e->value;
      MapTableEntry::release(e);
      dispose(keyDisposer, storedKey);
      dispose(valueDisposer, storedValue);
      e = next;
    }
  }
  count = 0;
}

void MapTable::forEach(void (*visit)(IComparable* key, void* value, void* context), void* context) const {
  if (!visit) return;
  for (uint32_t i = 0; i < buckets.size(); ++i)
    for (MapTableEntry* e = head(i); e; e = e->next) visit(e->key, e->value, context);
}

}  // namespace s::map
