// A growable, pooled array of unsigned 32-bit values, ordered by their first differing value.
// Texts are decimal; markup is eight hexadecimal digits per value.
#pragma once

#include <cstdint>

#include "base/col/_array/ArrayBase.h"

namespace s::col::_array {

class ArrayU32 : public ArrayBase {
  S_CLASS_NAME(u"s_col__array_ArrayU32")
  S_POOLED(ArrayU32)

 public:
  ArrayU32();

  uint32_t get(uint32_t i) const { return data()[i]; }
  void set(uint32_t i, uint32_t value) { data()[i] = value; }
  void add(uint32_t value) { append(&value, 1, 0); }
  uint32_t* data() { return reinterpret_cast<uint32_t*>(items); }
  const uint32_t* data() const { return reinterpret_cast<const uint32_t*>(items); }

  uint32_t elementKind() const override;
  const void* elementKindTag() const override;
  void appendElementText(StrBuffer* text, const void* element) const override;
  void appendElementMarkup(StrBuffer* text, const void* element) const override;
  s::base::IComparator* getComparator() const override;
};

}  // namespace s::col::_array
