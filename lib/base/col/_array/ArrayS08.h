// A growable, pooled array of signed bytes; equal-size arrays order by their first differing value.
// Texts are signed decimal; markup is the byte's two hexadecimal digits, so negative values stay
// two digits wide.
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayBase.h"

namespace s::col::_array {

class ArrayS08 : public ArrayBase {
  S_CLASS_NAME(u"s_col__array_ArrayS08")
  S_POOLED(ArrayS08)

 public:
  ArrayS08();

  int8_t get(uint32_t i) const { return data()[i]; }
  void set(uint32_t i, int8_t value) { data()[i] = value; }
  void add(int8_t value) { append(&value, 1, 0); }
  int8_t* data() { return reinterpret_cast<int8_t*>(items); }
  const int8_t* data() const { return reinterpret_cast<const int8_t*>(items); }

  uint32_t elementKind() const override;
  const void* elementKindTag() const override;
  void appendElementText(StrBuffer* text, const void* element) const override;
  void appendElementMarkup(StrBuffer* text, const void* element) const override;
  s::base::IComparator* getComparator() const override;
};

}  // namespace s::col::_array
