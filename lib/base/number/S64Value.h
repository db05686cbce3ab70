// A boxed signed 64-bit integer: a pooled object that orders, compares and hashes by its value, so
// numbers can live in the library's object collections and maps.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::number {

class S64Value : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_number_S64Value")
  S_POOLED(S64Value)

 public:
  S64Value();

  // Acquires a value object holding `value`.
  static S64Value* create(int64_t value);

  int64_t get() const { return value; }
  void set(int64_t v) { value = v; }

  // With a comparator, its answer; against another S64Value, signed order as -1, 0 or 1; against
  // anything else, the identity order of every object.
  int32_t compareTo(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  int32_t compareToIgnoreCase(const IComparable* other,
                              s::base::IComparator* comparator = nullptr) const override;
  bool equals(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  bool equalsIgnoreCase(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  // The low 32 bits XOR the high 32 bits.
  uint32_t hashCode() const override;
  uint32_t hashCodeIgnoreCase() const override { return hashCode(); }

  // Value 0.
  void reset() override { value = 0; }

 private:
  int64_t value = 0;
};

}  // namespace s::number
