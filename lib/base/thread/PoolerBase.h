// An abstract pool whose subclasses make, reset and destroy the objects themselves, with an
// optional weighted mode that bounds the weight of what it keeps as well as the count.
#pragma once

#include "base/IDestructor.h"
#include "base/IGenerator.h"
#include "base/IObject.h"
#include "base/thread/ObjLocker.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::thread {

class PoolerBase : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
  S_CLASS_NAME(u"s_thread_PoolerBase")

 public:
  PoolerBase();
  // Frees the free list; concrete pools call destroyAll first in their own destructor.
  ~PoolerBase() override;

  // Releases the object the slot names (weight from weightOf) and nulls the slot.
  void destruct(void** slot) override;

  virtual uint32_t weightOf(void* object);
  // Keeps or destroys the object; a weight of -1 asks weightOf.
  virtual void release(void* object, int32_t weight);
  virtual void* acquire();
  // Releases the objects of `count` slots (null ones are skipped, weights from weightOf) and nulls
  // the slots, as `destruct` on each would, but enters the critical section once for all of them.
  void destructMany(void** slots, uint32_t count);
  virtual void resetObject(void* object) = 0;
  // Disposes of the object the slot names and nulls the slot.
  virtual void destroyObject(void** slot) = 0;

  void setWeighted(bool on) { weighted = on; }
  void setMaxCount(uint32_t n) { maxCount = n; }
  uint32_t getTotalWeight() const { return totalWeight; }
  uint32_t freeCount();

 protected:
  // Destroys what is kept; subclasses call it from their destructor, while destroyObject still works.
  void destroyAll();

  ObjLocker lock;
  s::col::_array::ArrayP* freeList;
  uint32_t maxCount = 1000;
  uint32_t maxObjectWeight = 1024;
  uint32_t maxTotalWeight = 102400;
  uint32_t totalWeight = 0;
  bool weighted = false;
};

// The base of concrete factories; it adds nothing but its class identifier.
class Factory : public PoolerBase {
  S_CLASS_NAME(u"s_thread_Factory")
};

}  // namespace s::thread
