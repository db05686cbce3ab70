#include "base/io/IInputStreamable.h"

namespace s::io {

IInputStreamable::~IInputStreamable() = default;

void IInputStreamable::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IInputStreamable();
}

}  // namespace s::io
