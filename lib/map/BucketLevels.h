// The bucket counts of the hash tables by growth level: primes that roughly double from level to
// level. A table moves up one level when its entries reach half its buckets.
#pragma once

#include <cstdint>

namespace s::map {

class BucketLevels {
 public:
  static constexpr uint32_t kMaxLevel = 19;

  static uint32_t countAt(uint32_t level) {
    static constexpr uint32_t kCounts[kMaxLevel + 1] = {
        211,     431,     863,      1733,     3467,     6947,     13901,    27803,     55609,     111227,
        222461,  444929,  889871,   1779761,  3559537,  7119103,  14238221, 28476473,  56952947,  113905901};
    return kCounts[level <= kMaxLevel ? level : kMaxLevel];
  }

  // Whether a table of `entries` in `buckets` buckets should grow before its next insertion.
  static bool isFull(uint32_t entries, uint32_t buckets) {
    return static_cast<uint64_t>(entries) * 2 >= buckets;
  }
};

}  // namespace s::map
