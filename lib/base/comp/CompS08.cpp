#include "base/comp/CompS08.h"

#include <new>

#include "base/comp/ValueOrder.h"

namespace s::comp {

CompS08* CompS08::shared() {
  // Never destroyed, so arrays still compare while pools are torn down at exit.
  static CompS08* const instance = new CompS08();
  return instance;
}

s::base::IObject* CompS08::newInstance() const { return new (std::nothrow) CompS08(); }

int32_t CompS08::compare(const void* a, const void* b) { return orderOf<int8_t>(a, b); }

}  // namespace s::comp
