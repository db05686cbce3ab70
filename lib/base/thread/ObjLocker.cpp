#include "base/thread/ObjLocker.h"

namespace s::thread {

ObjLocker::ObjLocker() { InitializeCriticalSection(&section); }

ObjLocker::ObjLocker(void* heldObject, DestroyFunction destroyFn, s::base::IDestructor* heldDestructor)
    : held(heldObject), destroyFunction(destroyFn), destructor(heldDestructor) {
  InitializeCriticalSection(&section);
}

ObjLocker::~ObjLocker() {
  if (held) {
    if (destroyFunction)
      destroyFunction(held);
    else if (destructor)
      destructor->destruct(&held);
    else
      ::operator delete(held);
    held = nullptr;
  }
  DeleteCriticalSection(&section);
}

s::base::IObject* ObjLocker::newInstance() const { return new ObjLocker(); }

}  // namespace s::thread
