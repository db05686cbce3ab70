// The ordering, equality and hashing face shared by every object of the library.
// Defaults compare identities; classes with a value (strings, numbers, collections) override them.
#pragma once

#include <cstdint>

namespace s::base {

class IComparator;

class IComparable {
 public:
  virtual ~IComparable();

  // Bit 0 of the flags set frees the memory too; without it only the destructor runs.
  void destroy(uint32_t flags);

  // Negative, zero or positive. With a comparator: its compare (this, other); without: by address.
  virtual int32_t compareTo(const IComparable* other, IComparator* comparator = nullptr) const;
  // The looser order: the comparator's compareIgnoreCase, or by default compareTo.
  virtual int32_t compareToIgnoreCase(const IComparable* other, IComparator* comparator = nullptr) const;
  virtual bool equals(const IComparable* other, IComparator* comparator = nullptr) const;
  virtual bool equalsIgnoreCase(const IComparable* other, IComparator* comparator = nullptr) const;
  // By default identifies the dynamic class, so objects without a hash of their own share one.
  virtual uint32_t hashCode() const;
  virtual uint32_t hashCodeIgnoreCase() const;
};

}  // namespace s::base
