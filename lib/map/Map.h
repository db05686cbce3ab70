// The library's hash set of objects: chained buckets whose count grows through the prime levels of
// BucketLevels, keys hashed and compared by their own hashCode and equals (or the ignore-case
// forms). An equal key is never replaced. The lock is for the set's users; the operations do not
// take it.
#pragma once

#include <cstdint>

#include "base/IDestructor.h"
#include "base/IObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"
#include "base/thread/ObjLocker.h"
#include "map/MapEntry.h"

namespace s::map {

class Map final : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_map_Map")
  S_POOLED(Map)

 public:
  using IComparable = s::base::IComparable;
  using IDestructor = s::base::IDestructor;
  using IObject::destroy;

  Map();
  // Passes the keys to the set's own key destroyer.
  ~Map() override;
  Map(const Map&) = delete;
  Map& operator=(const Map&) = delete;

  // Empty, at level 0 with no buckets, case-sensitive, no destroyer; keys go to the set's destroyer.
  void reset() override;

  void setIgnoreCase(bool on) { ignoreCase = on; }
  bool getIgnoreCase() const { return ignoreCase; }
  void setKeyDestroyer(IDestructor* destroyer) { keyDestroyer = destroyer; }
  IDestructor* getKeyDestroyer() const { return keyDestroyer; }
  s::thread::ObjLocker& getLock() { return lock; }

  uint32_t size() const { return count; }
  uint32_t getLevel() const { return level; }
  uint32_t bucketCount() const { return buckets.size(); }

  // Adds the key; false when an equal key is already there (nothing replaced) or memory runs out.
  bool add(IComparable* key);
  // The stored key equal to `key`, or null.
  IComparable* find(const IComparable* key) const;
  bool contains(const IComparable* key) const { return find(key) != nullptr; }
  // Unlinks the entry of an equal key, passing its key to `destroyer` (none leaves it to its owner).
  bool remove(const IComparable* key, IDestructor* destroyer);
  // Gives every record back, passing the keys to `destroyer` (none leaves them to their owners).
  void clear(IDestructor* destroyer);
  // Calls `visit` for every key, bucket by bucket and along each chain.
  void forEach(void (*visit)(IComparable* key, void* context), void* context) const;

 private:
  uint32_t hashOf(const IComparable* key) const;
  bool same(const MapEntry* entry, uint32_t hash, const IComparable* key) const;
  MapEntry* head(uint32_t bucket) const { return static_cast<MapEntry*>(buckets.get(bucket)); }
  // Allocates the buckets of the current level, all empty.
  bool allocateBuckets();
  // Moves to the next level and re-links every entry at the end of its new bucket's chain.
  void grow();
  void appendToChain(MapEntry* entry);

  s::col::_array::ArrayP buckets;
  uint32_t count = 0;
  uint32_t level = 0;
  IDestructor* keyDestroyer = nullptr;
  bool ignoreCase = false;
  s::thread::ObjLocker lock;
};

}  // namespace s::map
