#include "base/cleaner/CleanerRawObject.h"

#include <new>

namespace s::cleaner {

CleanerRawObject* CleanerRawObject::shared() {
  // Never destroyed: pools emptied late at exit may still hand their elements to it.
  static CleanerRawObject* const instance = new CleanerRawObject();
  return instance;
}

void CleanerRawObject::destruct(void** slot) {
  if (!*slot) return;
  ::operator delete(*slot);
  *slot = nullptr;
}

}  // namespace s::cleaner
