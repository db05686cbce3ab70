#include "base/col/IEnumerable.h"

namespace s::col {

IEnumerable::~IEnumerable() = default;

void IEnumerable::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IEnumerable();
}

}  // namespace s::col
