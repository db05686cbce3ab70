// The order of two elements of one integral type given by their addresses, as -1, 0 or 1; the shared
// comparators differ only in the type they read.
#pragma once

#include <cstdint>
#include <cstring>

namespace s::comp {

template <class T>
int32_t orderOf(const void* a, const void* b) {
  T x;
  T y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x < y ? -1 : (y < x ? 1 : 0);
}

}  // namespace s::comp
