// The library's hash table from objects to values: chained buckets whose count grows through the
// prime levels of BucketLevels, keys hashed and compared by their own hashCode and equals (or the
// ignore-case forms). Putting a key that is already there changes nothing. The lock is for the
// table's users; the operations do not take it.
#pragma once

#include <cstdint>

#include "base/IDestructor.h"
#include "base/IObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"
#include "base/thread/ObjLocker.h"
#include "map/MapTableEntry.h"

namespace s::map {

class MapTable final : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_map_MapTable")
  S_POOLED(MapTable)

 public:
  using IComparable = s::base::IComparable;
  using IDestructor = s::base::IDestructor;
  using IObject::destroy;

  MapTable();
  // Passes keys and values to the table's own destroyers.
  ~MapTable() override;
  MapTable(const MapTable&) = delete;
  MapTable& operator=(const MapTable&) = delete;

  // Empty, at level 0 with no buckets, case-sensitive, no destroyers; the pairs go to the table's
  // destroyers first.
  void reset() override;

  void setIgnoreCase(bool on) { ignoreCase = on; }
  bool getIgnoreCase() const { return ignoreCase; }
  void setKeyDestroyer(IDestructor* destroyer) { keyDestroyer = destroyer; }
  void setValueDestroyer(IDestructor* destroyer) { valueDestroyer = destroyer; }
  IDestructor* getKeyDestroyer() const { return keyDestroyer; }
  IDestructor* getValueDestroyer() const { return valueDestroyer; }
  s::thread::ObjLocker& getLock() { return lock; }

  uint32_t size() const { return count; }
  uint32_t getLevel() const { return level; }
  uint32_t bucketCount() const { return buckets.size(); }

  // Adds the pair; false when an equal key is already there (nothing replaced) or memory runs out.
  bool put(IComparable* key, void* value);
  // The value of the equal key, or null.
  void* get(const IComparable* key) const;
  bool containsKey(const IComparable* key) const { return findEntry(key) != nullptr; }
  // Unlinks the pair of an equal key, passing key and value to the destroyers given (none leaves
  // them to their owners).
  bool remove(const IComparable* key, IDestructor* keyDisposer, IDestructor* valueDisposer);
  // Gives every record back, passing keys and values to the destroyers given.
  void clear(IDestructor* keyDisposer, IDestructor* valueDisposer);
  // Calls `visit` for every pair, bucket by bucket and along each chain.
  void forEach(void (*visit)(IComparable* key, void* value, void* context), void* context) const;

 private:
  uint32_t hashOf(const IComparable* key) const;
  bool same(const MapTableEntry* entry, uint32_t hash, const IComparable* key) const;
  MapTableEntry* head(uint32_t bucket) const { return static_cast<MapTableEntry*>(buckets.get(bucket)); }
  MapTableEntry* findEntry(const IComparable* key) const;
  bool allocateBuckets();
  // Moves to the next level and re-links every entry at the end of its new bucket's chain.
  void grow();
  void appendToChain(MapTableEntry* entry);

  s::col::_array::ArrayP buckets;
  uint32_t count = 0;
  uint32_t level = 0;
  IDestructor* keyDestroyer = nullptr;
  IDestructor* valueDestroyer = nullptr;
  bool ignoreCase = false;
  s::thread::ObjLocker lock;
};

}  // namespace s::map
