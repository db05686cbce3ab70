#include "base/cleaner/CleanerIObject.h"

#include "base/IObject.h"

namespace s::cleaner {

CleanerIObject* CleanerIObject::shared() {
  // Never destroyed: pools emptied late at exit may still hand their elements to it.
  static CleanerIObject* const instance = new CleanerIObject();
  return instance;
}

void CleanerIObject::destruct(void** slot) {
  if (!*slot) return;
  static_cast<s::base::IObject*>(*slot)->destroy(1);
  *slot = nullptr;
}

}  // namespace s::cleaner
