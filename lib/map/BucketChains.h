// The chained buckets shared by the hash set and the hash table: allocation at a level, appending an
// entry to its bucket's chain and growing to the next level. An entry has `hash` and `next` fields.
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayP.h"
#include "map/BucketLevels.h"

namespace s::map::BucketChains {

// Allocates the buckets of `level`, all empty; false when memory runs out.
inline bool allocate(s::col::_array::ArrayP& buckets, uint32_t level) {
  uint32_t n = BucketLevels::countAt(level);
  buckets.setSize(n);
  if (buckets.size() != n) return false;
  for (uint32_t i = 0; i < n; ++i) buckets.set(i, nullptr);
  return true;
}

template <class Entry>
void append(s::col::_array::ArrayP& buckets, Entry* entry) {
  entry->next = nullptr;
  uint32_t bucket = entry->hash % buckets.size();
  auto* at = static_cast<Entry*>(buckets.get(bucket));
  if (!at) {
    buckets.set(bucket, entry);
    return;
  }
  while (at->next) at = at->next;
  at->next = entry;
}

// Moves to the next level and re-links every entry, in the order of the old buckets and chains, at
// the end of its new bucket's chain.
template <class Entry>
void grow(s::col::_array::ArrayP& buckets, uint32_t& level) {
  Entry* first = nullptr;
  Entry* last = nullptr;
  for (uint32_t i = 0; i < buckets.size(); ++i) {
    for (auto* e = static_cast<Entry*>(buckets.get(i)); e;) {
      Entry* next = e->next;
      e->next = nullptr;
      if (last)
        last->next = e;
      else
        first = e;
      last = e;
      e = next;
    }
  }
  uint32_t oldLevel = level;
  ++level;
  if (!allocate(buckets, level)) {
    // Out of memory: stay at the old size, which still holds every entry.
    level = oldLevel;
    allocate(buckets, level);
  }
  while (first) {
    Entry* next = first->next;
    append(buckets, first);
    first = next;
  }
}

}  // namespace s::map::BucketChains
