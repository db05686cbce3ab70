#include "base/thread/EasyPooler.h"

#include "base/col/_array/ArrayP.h"
#include "base/thread/PoolRegistry.h"

namespace s::thread {

EasyPooler::EasyPooler(uint32_t poolLimit, GenerateFunction generateFn, DestroyFunction destroyFn,
                       ResetFunction resetFn)
    : freeList(new s::col::_array::ArrayP()),
      limit(poolLimit),
      generateFunction(generateFn),
      destroyFunction(destroyFn),
      resetFunction(resetFn) {}

EasyPooler::~EasyPooler() {
  while (freeList->size() > 0) destroyFunction(freeList->popLast());
  freeList->destroy(1);
}

s::base::IObject* EasyPooler::newInstance() const {
  return new EasyPooler(limit, generateFunction, destroyFunction, resetFunction);
}

void* EasyPooler::generate() {
  lock.enter();
  if (freeList->size() > 0) {
    void* object = freeList->popLast();
    lock.leave();
    return object;
  }
  lock.leave();
  return generateFunction();
}

void EasyPooler::destruct(void** slot) {
  void* object = *slot;
  if (!object) return;
  *slot = nullptr;
  if (limit == 0) {
    destroyFunction(object);
    return;
  }
  // The reset runs outside the lock: resetting a busy worker waits for its run, and that run may
  // itself use this pool from another thread.
  resetFunction(object);
  lock.enter();
  if (freeList->size() < limit) {
    freeList->appendPointer(object);
    lock.leave();
  } else {
    lock.leave();
    destroyFunction(object);
  }
}

void EasyPooler::destructMany(void** slots, uint32_t count) {
  // Every object is reset first, outside the lock as `destruct` does; resets that release further
  // objects into this pool run their own releases meanwhile.
  uint32_t taken = 0;
  for (uint32_t i = 0; i < count; ++i) {
    void* object = slots[i];
    if (!object) continue;
    slots[i] = nullptr;
    if (limit == 0) {
      destroyFunction(object);
      continue;
    }
    resetFunction(object);
    slots[taken++] = object;
  }
  if (taken == 0) return;
  // The slots now hold the reset objects at their front; those that do not fit are destroyed.
  uint32_t kept = 0;
  lock.enter();
  uint32_t room = freeList->size() < limit ? limit - freeList->size() : 0;
  uint32_t wanted = taken < room ? taken : room;
  if (wanted > 0) {
    uint32_t before = freeList->size();
    freeList->append(slots, wanted, 0);
    kept = freeList->size() - before;
  }
  lock.leave();
  for (uint32_t i = 0; i < taken; ++i) {
    if (i >= kept) destroyFunction(slots[i]);
    slots[i] = nullptr;
  }
}

uint32_t EasyPooler::freeCount() {
  ObjLocker::Scope guard(lock);
  return freeList->size();
}

EasyPooler* EasyPooler::registerForExit(EasyPooler* pool) {
  PoolRegistry::add(pool);
  return pool;
}

}  // namespace s::thread
