#include "base/comp/CompU08.h"

#include <new>

#include "base/comp/ValueOrder.h"

namespace s::comp {

CompU08* CompU08::shared() {
  // Never destroyed, so arrays still compare while pools are torn down at exit.
  static CompU08* const instance = new CompU08();
  return instance;
}

s::base::IObject* CompU08::newInstance() const { return new (std::nothrow) CompU08(); }

int32_t CompU08::compare(const void* a, const void* b) { return orderOf<uint8_t>(a, b); }

}  // namespace s::comp
