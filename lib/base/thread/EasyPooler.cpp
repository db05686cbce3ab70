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
  lock.enter();
  if (freeList->size() < limit) {
    resetFunction(object);
    freeList->appendPointer(object);
    lock.leave();
  } else {
    lock.leave();
    destroyFunction(object);
  }
  *slot = nullptr;
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
