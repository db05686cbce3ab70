#include "base/col/CollectionInputStream.h"

#include <cstring>

#include "base/thread/EasyPooler.h"

namespace s::col {

S_POOLED_IMPL(CollectionInputStream, s::thread::EasyPooler::kDefaultLimit)

CollectionInputStream::CollectionInputStream() { reset(); }

void CollectionInputStream::reset() {
  collection = nullptr;
  position = 0;
}

void CollectionInputStream::open(ICollection* source) {
  collection = source;
  position = 0;
}

uint64_t CollectionInputStream::totalBytes() const {
  if (!collection) return 0;
  return static_cast<uint64_t>(collection->elementCount()) * collection->elementBytes();
}

bool CollectionInputStream::readBytes(void* buffer, uint32_t n, uint32_t* got) {
  uint64_t total = totalBytes();
  if (position >= total) {
    if (got) *got = 0;
    return false;
  }
  uint64_t left = total - position;
  uint32_t wanted = n < left ? n : static_cast<uint32_t>(left);
  // Copied element by element through the collection's addresses, so the stream makes no assumption
  // about how the collection lays out its elements.
  uint32_t elementBytes = collection->elementBytes();
  uint8_t* to = static_cast<uint8_t*>(buffer);
  uint32_t copied = 0;
  while (copied < wanted) {
    uint32_t at = position + copied;
    uint32_t offset = at % elementBytes;
    uint32_t chunk = elementBytes - offset;
    if (chunk > wanted - copied) chunk = wanted - copied;
    const uint8_t* from = static_cast<const uint8_t*>(collection->elementAt(at / elementBytes));
    std::memcpy(to + copied, from + offset, chunk);
    copied += chunk;
  }
  position += copied;
  if (got) *got = copied;
  return true;
}

void CollectionInputStream::seekEnd() {
  uint64_t total = totalBytes();
  position = total > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(total);
}

void CollectionInputStream::seekBeforeEnd(uint32_t bytes) {
  seekEnd();
  position = bytes >= position ? 0 : position - bytes;
}

void CollectionInputStream::skipBackward(uint32_t bytes) {
  position = bytes >= position ? 0 : position - bytes;
}

}  // namespace s::col
