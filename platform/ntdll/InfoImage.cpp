#include "ntdll/InfoImage.h"

namespace ntdll {

size_t InfoImage::append(const void* data, size_t size, size_t alignment) {
  size_t offset = (bytes_.size() + alignment - 1) / alignment * alignment;
  bytes_.resize(offset + size);
  if (size) std::memcpy(bytes_.data() + offset, data, size);
  return offset;
}

NTSTATUS InfoImage::deliver(PVOID buffer, ULONG length, PULONG resultLength) const {
  if (bytes_.size() > 0xFFFFFFFFu) return STATUS_INSUFFICIENT_RESOURCES;
  if (length > 0 && !buffer) return STATUS_ACCESS_VIOLATION;
  if (resultLength) *resultLength = static_cast<ULONG>(bytes_.size());
  if (length < fixed_) return STATUS_BUFFER_TOO_SMALL;
  size_t copied = length < bytes_.size() ? length : bytes_.size();
  std::memcpy(buffer, bytes_.data(), copied);
  return copied < bytes_.size() ? STATUS_BUFFER_OVERFLOW : STATUS_SUCCESS;
}

}  // namespace ntdll
