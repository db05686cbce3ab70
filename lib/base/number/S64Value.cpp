#include "base/number/S64Value.h"

#include "base/IComparator.h"
#include "base/thread/EasyPooler.h"

namespace s::number {

S_POOLED_IMPL(S64Value, s::thread::EasyPooler::kDefaultLimit)

S64Value::S64Value() { reset(); }

S64Value* S64Value::create(int64_t v) {
  S64Value* made = acquire();
  if (made) made->set(v);
  return made;
}

int32_t S64Value::compareTo(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return comparator->compare(this, other);
  const S64Value* that = dynamic_cast<const S64Value*>(other);
  if (!that) return IComparable::compareTo(other, nullptr);
  return value < that->value ? -1 : (value > that->value ? 1 : 0);
}

int32_t S64Value::compareToIgnoreCase(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return comparator->compareIgnoreCase(this, other);
  return compareTo(other, nullptr);
}

bool S64Value::equals(const IComparable* other, s::base::IComparator* comparator) const {
  return compareTo(other, comparator) == 0;
}

bool S64Value::equalsIgnoreCase(const IComparable* other, s::base::IComparator* comparator) const {
  return compareToIgnoreCase(other, comparator) == 0;
}

uint32_t S64Value::hashCode() const {
  uint64_t bits = static_cast<uint64_t>(value);
  return static_cast<uint32_t>(bits) ^ static_cast<uint32_t>(bits >> 32);
}

}  // namespace s::number
