// The byte-stream faces of the string buffer: reads and writes of its UTF-16LE bytes at the
// shared position.
#include <cstring>

#include "base/str/strbuffer/StrBuffer.h"

namespace s::str::strbuffer {

bool StrBuffer::readBytes(void* buffer, uint32_t count, uint32_t* got) {
  uint64_t end = static_cast<uint64_t>(unitCount) * 2;
  if (position >= end) {
    if (got) *got = 0;
    return false;
  }
  uint64_t available = end - position;
  uint32_t n = count < available ? count : static_cast<uint32_t>(available);
  std::memcpy(buffer, reinterpret_cast<const uint8_t*>(chars) + position, n);
  position += n;
  if (got) *got = n;
  return true;
}

bool StrBuffer::writeBytes(const void* bytes, uint32_t count) {
  if (count == 0) return true;
  uint64_t endByte = static_cast<uint64_t>(position) + count;
  uint64_t endUnit = (endByte + 1) / 2;
  if (endByte > 0xFFFFFFFFull) return false;
  if (!reserve(static_cast<uint32_t>(endUnit))) return false;
  // Units newly covered (a gap before the position, or the other half of an odd last unit) start
  // as zero rather than whatever the block held.
  if (endUnit > unitCount)
    std::memset(chars + unitCount, 0, static_cast<size_t>(endUnit - unitCount) * sizeof(char16_t));
  std::memcpy(reinterpret_cast<uint8_t*>(chars) + position, bytes, count);
  position = static_cast<uint32_t>(endByte);
  if (endUnit > unitCount) unitCount = static_cast<uint32_t>(endUnit);
  return true;
}

}  // namespace s::str::strbuffer
