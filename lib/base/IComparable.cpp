#include "base/IComparable.h"

#include <cstddef>
#include <typeinfo>

#include "base/IComparator.h"
#include "base/IDestructor.h"
#include "base/IGenerator.h"

namespace s::base {

IComparable::~IComparable() = default;

void IComparable::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IComparable();
}

int32_t IComparable::compareTo(const IComparable* other, IComparator* comparator) const {
  if (comparator) return comparator->compare(this, other);
  if (this == other) return 0;
  return reinterpret_cast<uintptr_t>(this) < reinterpret_cast<uintptr_t>(other) ? -1 : 1;
}

int32_t IComparable::compareToIgnoreCase(const IComparable* other, IComparator* comparator) const {
  if (comparator) return comparator->compareIgnoreCase(this, other);
  return compareTo(other, nullptr);
}

bool IComparable::equals(const IComparable* other, IComparator* comparator) const {
  return compareTo(other, comparator) == 0;
}

bool IComparable::equalsIgnoreCase(const IComparable* other, IComparator* comparator) const {
  return compareToIgnoreCase(other, comparator) == 0;
}

uint32_t IComparable::hashCode() const {
  std::size_t h = typeid(*this).hash_code();
  return static_cast<uint32_t>(h ^ (h >> 32));
}

uint32_t IComparable::hashCodeIgnoreCase() const { return hashCode(); }

IComparator::~IComparator() = default;
void IComparator::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IComparator();
}

IGenerator::~IGenerator() = default;
void IGenerator::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IGenerator();
}

IDestructor::~IDestructor() = default;
void IDestructor::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IDestructor();
}

}  // namespace s::base
