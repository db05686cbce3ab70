#include "base/thread/PoolerBase.h"

#include "base/col/_array/ArrayP.h"

namespace s::thread {

PoolerBase::PoolerBase() : freeList(new s::col::_array::ArrayP()) {}

// A base destructor can no longer reach the subclass's destroyObject, so concrete pools empty
// themselves with destroyAll in their own destructor; anything left here is only forgotten.
PoolerBase::~PoolerBase() { freeList->destroy(1); }

void PoolerBase::destroyAll() {
  ObjLocker::Scope guard(lock);
  while (freeList->size() > 0) {
    void* object = freeList->popLast();
    destroyObject(&object);
  }
  totalWeight = 0;
}

void PoolerBase::destruct(void** slot) {
  if (!*slot) return;
  release(*slot, -1);
  *slot = nullptr;
}

uint32_t PoolerBase::weightOf(void*) { return 1024; }

void PoolerBase::release(void* object, int32_t weight) {
  if (!object) return;
  if (!weighted) {
    lock.enter();
    if (freeList->size() >= maxCount) {
      lock.leave();
      destroyObject(&object);
      return;
    }
    resetObject(object);
    freeList->appendPointer(object);
    lock.leave();
    return;
  }
  uint32_t w = weight == -1 ? weightOf(object) : static_cast<uint32_t>(weight);
  lock.enter();
  if (freeList->size() >= maxCount || w > maxObjectWeight ||
      static_cast<uint64_t>(totalWeight) + w > maxTotalWeight) {
    lock.leave();
    destroyObject(&object);
    return;
  }
  resetObject(object);
  freeList->appendPointer(object);
  totalWeight += w;
  lock.leave();
}

void PoolerBase::destructMany(void** slots, uint32_t count) {
  // The objects that find no room are gathered at the front of the slots and destroyed after the
  // critical section, as `release` does with a single one.
  uint32_t refused = 0;
  lock.enter();
  for (uint32_t i = 0; i < count; ++i) {
    void* object = slots[i];
    if (!object) continue;
    slots[i] = nullptr;
    uint32_t w = weighted ? weightOf(object) : 0;
    bool keep = freeList->size() < maxCount &&
                (!weighted || (w <= maxObjectWeight && static_cast<uint64_t>(totalWeight) + w <= maxTotalWeight));
    if (keep) {
      resetObject(object);
      uint32_t before = freeList->size();
      freeList->appendPointer(object);
      if (freeList->size() != before) {
        totalWeight += w;
        continue;
      }
    }
    slots[refused++] = object;
  }
  lock.leave();
  for (uint32_t i = 0; i < refused; ++i) destroyObject(&slots[i]);
}

void* PoolerBase::acquire() {
  lock.enter();
  if (freeList->size() > 0) {
    void* object = freeList->popLast();
    if (weighted) {
      uint32_t w = weightOf(object);
      totalWeight = w > totalWeight ? 0 : totalWeight - w;
    }
    lock.leave();
    return object;
  }
  lock.leave();
  return generate();
}

uint32_t PoolerBase::freeCount() {
  ObjLocker::Scope guard(lock);
  return freeList->size();
}

}  // namespace s::thread
