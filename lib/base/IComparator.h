// Compares two elements given by their addresses; the shared comparators of collections implement it.
#pragma once

#include <cstdint>

namespace s::base {

class IComparator {
 public:
  virtual ~IComparator();
  void destroy(uint32_t flags);
  // -1, 0 or 1 for the elements at the two addresses.
  virtual int32_t compare(const void* a, const void* b) = 0;
  virtual int32_t compareIgnoreCase(const void* a, const void* b) { return compare(a, b); }
};

}  // namespace s::base
