// The per-class pool: a stack of free objects behind a critical section. Acquire pops the last freed
// object or makes a new one outside the lock; release resets the object (outside the lock) and keeps
// it while fewer than `limit` are kept, and destroys it otherwise.
#pragma once

#include <new>

#include "base/IDestructor.h"
#include "base/IGenerator.h"
#include "base/IObject.h"
#include "base/thread/ObjLocker.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::thread {

class EasyPooler : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
  S_CLASS_NAME(u"s_thread_EasyPooler")

 public:
  using GenerateFunction = void* (*)();
  using DestroyFunction = void (*)(void* object);
  using ResetFunction = void (*)(void* object);

  // The pool limit of almost every class.
  static constexpr uint32_t kDefaultLimit = 1000;

  EasyPooler(uint32_t limit, GenerateFunction generateFunction, DestroyFunction destroyFunction,
             ResetFunction resetFunction);
  // Destroys every object still kept, then the free list.
  ~EasyPooler() override;

  // A new, empty pool with this pool's limit and functions.
  s::base::IObject* newInstance() const override;

  // Acquire: a recycled object (reset when it was released) or a new one; null when memory runs out.
  void* generate() override;
  // Release: takes back the object the slot names and nulls the slot.
  void destruct(void** slot) override;
  // Releases the objects of `count` slots (null ones are skipped) and nulls the slots, as `destruct`
  // on each would, but enters the critical section once for all of them.
  void destructMany(void** slots, uint32_t count);

  uint32_t getLimit() const { return limit; }
  uint32_t freeCount();

  // The pool of class T, made for the class's accessor and destroyed at process exit.
  template <class T>
  static EasyPooler* createFor(uint32_t limit) {
    return registerForExit(new EasyPooler(
        limit, []() -> void* { return static_cast<void*>(new (std::nothrow) T()); },
        [](void* object) { delete static_cast<T*>(object); },
        [](void* object) { static_cast<T*>(object)->reset(); }));
  }

  // Keeps the pool in the process-wide list destroyed at exit, later pools first.
  static EasyPooler* registerForExit(EasyPooler* pool);

 private:
  ObjLocker lock;
  s::col::_array::ArrayP* freeList;
  uint32_t limit;
  GenerateFunction generateFunction;
  DestroyFunction destroyFunction;
  ResetFunction resetFunction;
};

}  // namespace s::thread

// Defines what S_POOLED declares. The pool is made on first use; C++ guarantees that two threads
// asking at once get the same pool.
#define S_POOLED_IMPL(Class, limit)                                                          \
  ::s::thread::EasyPooler* Class::pool() {                                                   \
    static ::s::thread::EasyPooler* const instance =                                         \
        ::s::thread::EasyPooler::createFor<Class>(limit);                                    \
    return instance;                                                                         \
  }                                                                                          \
  Class* Class::acquire() { return static_cast<Class*>(pool()->generate()); }                \
  void Class::release() {                                                                    \
    void* self = this;                                                                       \
    pool()->destruct(&self);                                                                 \
  }                                                                                          \
  ::s::base::IObject* Class::newInstance() const { return acquire(); }
