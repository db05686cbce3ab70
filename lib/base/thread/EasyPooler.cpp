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

uint32_t EasyPooler::freeCount() {
  ObjLocker::Scope guard(lock);
  return freeList->size();
}

EasyPooler* EasyPooler::registerForExit(EasyPooler* pool) {
  PoolRegistry::add(pool);
  return pool;
}

}  // namespace s::thread
