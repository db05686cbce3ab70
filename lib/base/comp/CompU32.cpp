#include "base/comp/CompU32.h"

#include <new>

#include "base/comp/ValueOrder.h"

namespace s::comp {

CompU32* CompU32::shared() {
  // Never destroyed, so arrays still compare while pools are torn down at exit.
  static CompU32* const instance = new CompU32();
  return instance;
}

s::base::IObject* CompU32::newInstance() const { return new (std::nothrow) CompU32(); }

int32_t CompU32::compare(const void* a, const void* b) { return orderOf<uint32_t>(a, b); }

}  // namespace s::comp
