// An information structure being assembled for a caller's buffer: a fixed part followed by names and
// data. Delivering it applies the native rules: below the fixed part STATUS_BUFFER_TOO_SMALL and
// nothing written; below the whole STATUS_BUFFER_OVERFLOW with as much as fits; the needed length
// always reported.
#pragma once

#include <win/ntdll.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace ntdll {

class InfoImage {
 public:
  explicit InfoImage(size_t fixedSize) : fixed_(fixedSize), bytes_(fixedSize, 0) {}

  template <typename T>
  void put(size_t offset, T value) {
    std::memcpy(bytes_.data() + offset, &value, sizeof value);
  }
  // Appends bytes at the end, first padding to the alignment; answers their offset.
  size_t append(const void* data, size_t size, size_t alignment = 1);
  size_t size() const { return bytes_.size(); }

  NTSTATUS deliver(PVOID buffer, ULONG length, PULONG resultLength) const;

 private:
  size_t fixed_;
  std::vector<uint8_t> bytes_;
};

}  // namespace ntdll
