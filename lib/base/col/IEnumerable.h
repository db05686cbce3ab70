// A sequence of fixed-size elements that hands out pooled iterators and element addresses.
#pragma once

#include <cstdint>

namespace s::col {

class IteratorBase;

class IEnumerable {
 public:
  virtual ~IEnumerable();
  void destroy(uint32_t flags);
  // Index -1, cursor on element 0.
  virtual IteratorBase* iteratorAtStart() = 0;
  // Index = count, cursor just past the last element.
  virtual IteratorBase* iteratorAtEnd() = 0;
  // Index i - 1, cursor on element i.
  virtual IteratorBase* iteratorAt(uint32_t i) = 0;
  // Index count - i, cursor on element count - i.
  virtual IteratorBase* iteratorAtFromEnd(uint32_t i) = 0;
  virtual void* elementAt(uint32_t i) = 0;
  // Elements in use and the size of one element in bytes (what iterators walk by).
  virtual uint32_t elementCount() const = 0;
  virtual uint32_t elementBytes() const = 0;
};

}  // namespace s::col
