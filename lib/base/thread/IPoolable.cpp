#include "base/thread/IPoolable.h"

namespace s::thread {

IPoolable::~IPoolable() = default;

void IPoolable::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IPoolable();
}

}  // namespace s::thread
