// A growable, pooled array of signed 32-bit values, ordered by their first differing value.
// Texts are signed decimal; markup is the value's eight hexadecimal digits (two's complement).
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayBase.h"

namespace s::col::_array {

class ArrayS32 : public ArrayBase {
  S_CLASS_NAME(u"s_col__array_ArrayS32")
  S_POOLED(ArrayS32)

 public:
  ArrayS32();

  int32_t get(uint32_t i) const { return data()[i]; }
  void set(uint32_t i, int32_t value) { data()[i] = value; }
  void add(int32_t value) { append(&value, 1, 0); }
  int32_t* data() { return reinterpret_cast<int32_t*>(items); }
  const int32_t* data() const { return reinterpret_cast<const int32_t*>(items); }

  uint32_t elementKind() const override;
  const void* elementKindTag() const override;
  void appendElementText(StrBuffer* text, const void* element) const override;
  void appendElementMarkup(StrBuffer* text, const void* element) const override;
  s::base::IComparator* getComparator() const override;
};

}  // namespace s::col::_array
