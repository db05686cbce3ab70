#include "base/comp/CompS32.h"

#include <new>

#include "base/comp/ValueOrder.h"

namespace s::comp {

CompS32* CompS32::shared() {
  // Never destroyed, so arrays still compare while pools are torn down at exit.
  static CompS32* const instance = new CompS32();
  return instance;
}

s::base::IObject* CompS32::newInstance() const { return new (std::nothrow) CompS32(); }

int32_t CompS32::compare(const void* a, const void* b) { return orderOf<int32_t>(a, b); }

}  // namespace s::comp
