// A growable, pooled array of unsigned bytes; equal-size arrays order by their first differing byte.
// Texts are decimal; markup is two hexadecimal digits per byte.
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayBase.h"

namespace s::col::_array {

class ArrayU08 : public ArrayBase {
  S_CLASS_NAME(u"s_col__array_ArrayU08")
  S_POOLED(ArrayU08)

 public:
  ArrayU08();

  uint8_t get(uint32_t i) const { return data()[i]; }
  void set(uint32_t i, uint8_t value) { data()[i] = value; }
  void add(uint8_t value) { append(&value, 1, 0); }
  uint8_t* data() { return reinterpret_cast<uint8_t*>(items); }
  const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(items); }

  uint32_t elementKind() const override;
  const void* elementKindTag() const override;
  void appendElementText(StrBuffer* text, const void* element) const override;
  void appendElementMarkup(StrBuffer* text, const void* element) const override;
  s::base::IComparator* getComparator() const override;
};

}  // namespace s::col::_array
