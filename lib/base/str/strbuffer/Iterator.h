// A pooled cursor over the code units of a string buffer. It walks the units as two-byte elements
// with the protocol of every collection iterator; the buffer must not grow while it is in use.
#pragma once

#include <cstdint>

#include "base/col/IteratorBase.h"

namespace s::str::strbuffer {

class StrBuffer;

class Iterator : public s::col::IteratorBase {
  S_CLASS_NAME(u"s_str_strbuffer_Iterator")
  S_POOLED(Iterator)

 public:
  Iterator();

  // An iterator on `text` with the given index and its cursor on unit `cursorUnit`.
  static Iterator* create(StrBuffer* text, int32_t index, uint32_t cursorUnit);
};

}  // namespace s::str::strbuffer
