#include "digest/IDigester.h"

namespace s::digest {

IDigester::~IDigester() = default;

void IDigester::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IDigester();
}

}  // namespace s::digest
