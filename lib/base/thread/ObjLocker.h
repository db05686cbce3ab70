// A critical section with an optionally held object. Shared scratch objects live in one of these:
// every user enters the section, uses the held object and leaves. On destruction the held object is
// disposed of by the destroy function, else by the destructor, else by the global delete.
#pragma once

#include <win/sync.h>

#include "base/IDestructor.h"
#include "base/IObject.h"

namespace s::thread {

class ObjLocker : public s::base::IObject {
  S_CLASS_NAME(u"s_thread_ObjLocker")

 public:
  using DestroyFunction = void (*)(void* held);

  ObjLocker();
  ObjLocker(void* held, DestroyFunction destroyFunction, s::base::IDestructor* destructor = nullptr);
  ~ObjLocker() override;
  ObjLocker(const ObjLocker&) = delete;
  ObjLocker& operator=(const ObjLocker&) = delete;

  // A new, empty locker (lockers are constructed directly, never pooled).
  s::base::IObject* newInstance() const override;

  void enter() { EnterCriticalSection(&section); }
  bool tryEnter() { return TryEnterCriticalSection(&section) != FALSE; }
  void leave() { LeaveCriticalSection(&section); }
  CRITICAL_SECTION* criticalSection() { return &section; }

  void* getHeld() const { return held; }
  template <class T>
  T* heldAs() const { return static_cast<T*>(held); }

  // Enters on construction and leaves on destruction.
  class Scope {
   public:
    explicit Scope(ObjLocker& locker) : locker(locker) { locker.enter(); }
    ~Scope() { locker.leave(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ObjLocker& locker;
  };

 private:
  void* held = nullptr;
  DestroyFunction destroyFunction = nullptr;
  s::base::IDestructor* destructor = nullptr;
  CRITICAL_SECTION section;
};

}  // namespace s::thread
