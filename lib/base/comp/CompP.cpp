#include "base/comp/CompP.h"

#include <new>

#include "base/comp/ValueOrder.h"

namespace s::comp {

CompP* CompP::shared() {
  // Never destroyed, so arrays still compare while pools are torn down at exit.
  static CompP* const instance = new CompP();
  return instance;
}

s::base::IObject* CompP::newInstance() const { return new (std::nothrow) CompP(); }

int32_t CompP::compare(const void* a, const void* b) { return orderOf<uintptr_t>(a, b); }

}  // namespace s::comp
