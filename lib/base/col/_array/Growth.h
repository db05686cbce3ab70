// The one growth rule of arrays, string buffers and pool free lists.
#pragma once

#include <cstdint>

namespace s::col::_array {

// One growth step from capacity c: 100 below 100, then 3x, 2x, 1.5x and 1.2x as c passes
// 10, 50 and 100 million.
constexpr uint32_t nextCapacity(uint32_t c) {
  if (c < 100) return 100;
  if (c < 10000000) return c * 3;
  if (c < 50000000) return c * 2;
  if (c < 100000000) return static_cast<uint32_t>(c * 3ull / 2);
  uint64_t grown = c * 6ull / 5;
  return grown > 0xFFFFFFFEull ? 0xFFFFFFFEu : static_cast<uint32_t>(grown);
}

// Growth steps from c until the capacity is at least n.
constexpr uint32_t capacityFor(uint32_t c, uint32_t n) {
  while (c < n) {
    uint32_t next = nextCapacity(c);
    if (next <= c) return n;
    c = next;
  }
  return c;
}

}  // namespace s::col::_array
