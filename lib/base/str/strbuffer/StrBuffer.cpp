// Memory, the root operations, creation and the whole-text set of the string buffer.
#include "base/str/strbuffer/StrBuffer.h"

#include <cstdlib>

#include "base/col/_array/Growth.h"
#include "base/thread/EasyPooler.h"

namespace s::str::strbuffer {

S_POOLED_IMPL(StrBuffer, s::thread::EasyPooler::kDefaultLimit)

namespace {

// What getText answers for an empty buffer, so callers never see the buffer's own memory then.
constexpr char16_t kEmptyText[1] = {0};

int32_t sign(int64_t difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }

// The order of a unit's little-endian bytes: low byte first, then high byte.
inline uint32_t littleEndianKey(char16_t u) { return (static_cast<uint32_t>(u & 0xFF) << 8) | (u >> 8); }

}  // namespace

StrBuffer::StrBuffer() { reset(); }

StrBuffer::~StrBuffer() { freeMemory(); }

// ---- Creation ----

StrBuffer* StrBuffer::acquireText(const char16_t* text) {
  StrBuffer* buffer = acquire();
  if (buffer) buffer->setText(text);
  return buffer;
}

StrBuffer* StrBuffer::acquireAscii(const char* text) {
  StrBuffer* buffer = acquire();
  if (buffer) buffer->appendAscii(text);
  return buffer;
}

StrBuffer* StrBuffer::acquireJoined(const char16_t* a, const char16_t* b) {
  return acquireJoined(a, b, nullptr, nullptr);
}

StrBuffer* StrBuffer::acquireJoined(const char16_t* a, const char16_t* b, const char16_t* c) {
  return acquireJoined(a, b, c, nullptr);
}

StrBuffer* StrBuffer::acquireJoined(const char16_t* a, const char16_t* b, const char16_t* c,
                                    const char16_t* d) {
  StrBuffer* buffer = acquire();
  if (!buffer) return nullptr;
  buffer->appendText(a);
  buffer->appendText(b);
  buffer->appendText(c);
  buffer->appendText(d);
  return buffer;
}

// ---- Memory ----

bool StrBuffer::reallocate(uint32_t newCapacity) {
  // One unit more than the capacity, so the terminator always fits.
  auto* block = static_cast<char16_t*>(std::malloc((static_cast<size_t>(newCapacity) + 1) * sizeof(char16_t)));
  if (!block) return false;
  if (unitCount > newCapacity) unitCount = newCapacity;
  if (chars) {
    std::memcpy(block, chars, static_cast<size_t>(unitCount) * sizeof(char16_t));
    std::free(chars);
  }
  chars = block;
  unitCapacity = newCapacity;
  return true;
}

bool StrBuffer::reserveExact(uint32_t n) { return n <= unitCapacity || reallocate(n); }

bool StrBuffer::grow() {
  uint32_t next = s::col::_array::nextCapacity(unitCapacity);
  return next > unitCapacity && reallocate(next);
}

bool StrBuffer::reserve(uint32_t n) {
  return n <= unitCapacity || reallocate(s::col::_array::capacityFor(unitCapacity, n));
}

void StrBuffer::freeMemory() {
  std::free(chars);
  chars = nullptr;
  unitCount = 0;
  unitCapacity = 0;
  position = 0;
}

void StrBuffer::appendCharsGrowing(const char16_t* units, uint32_t n) {
  uint64_t needed = static_cast<uint64_t>(unitCount) + n;
  if (needed >= 0xFFFFFFFFull) return;
  // Appending a piece of this very buffer: find it again after the block moves.
  bool inside = ownsUnits(units);
  size_t offset = inside ? static_cast<size_t>(units - chars) : 0;
  if (!reserve(static_cast<uint32_t>(needed))) return;
  if (inside) units = chars + offset;
  std::memcpy(chars + unitCount, units, static_cast<size_t>(n) * sizeof(char16_t));
  unitCount += n;
}

// ---- Text face ----

const char16_t* StrBuffer::getText() {
  if (unitCount == 0) return kEmptyText;
  chars[unitCount] = 0;
  return chars;
}

char16_t* StrBuffer::terminate() {
  if (unitCount == 0) return nullptr;
  chars[unitCount] = 0;
  return chars + unitCount;
}

// ---- Setting ----

void StrBuffer::setChars(const char16_t* units, int32_t count) {
  uint32_t n = 0;
  if (units) {
    n = count < 0 ? static_cast<uint32_t>(std::char_traits<char16_t>::length(units))
                  : static_cast<uint32_t>(count);
  }
  position = 0;
  if (n > 0 && ownsUnits(units)) {
    // A piece of this buffer's own text: move it down in place.
    std::memmove(chars, units, static_cast<size_t>(n) * sizeof(char16_t));
    unitCount = n;
    return;
  }
  unitCount = 0;
  if (n == 0 || !reserveExact(n)) return;
  std::memcpy(chars, units, static_cast<size_t>(n) * sizeof(char16_t));
  unitCount = n;
}

void StrBuffer::setStr(const IStr* other) {
  if (other == this) return;
  if (!other) {
    clear();
    return;
  }
  setChars(other->getChars(), static_cast<int32_t>(other->length()));
}

void StrBuffer::appendStr(const IStr* other) {
  if (other) appendChars(other->getChars(), static_cast<int32_t>(other->length()));
}

// ---- Root operations ----

int32_t StrBuffer::compareTo(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return IStr::compareTo(other, comparator);
  if (!other) return 1;
  const auto* text = dynamic_cast<const IStr*>(other);
  if (!text) return IStr::compareTo(other, nullptr);
  const char16_t* theirs = text->getChars();
  uint32_t theirCount = text->length();
  uint32_t shorter = unitCount < theirCount ? unitCount : theirCount;
  for (uint32_t i = 0; i < shorter; ++i) {
    if (chars[i] != theirs[i])
      return littleEndianKey(chars[i]) < littleEndianKey(theirs[i]) ? -1 : 1;
  }
  return sign(static_cast<int64_t>(unitCount) - theirCount);
}

int32_t StrBuffer::compareToIgnoreCase(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return IStr::compareToIgnoreCase(other, comparator);
  if (!other) return 1;
  const auto* text = dynamic_cast<const IStr*>(other);
  if (!text) return IStr::compareToIgnoreCase(other, nullptr);
  const char16_t* theirs = text->getChars();
  uint32_t theirCount = text->length();
  uint32_t shorter = unitCount < theirCount ? unitCount : theirCount;
  for (uint32_t i = 0; i < shorter; ++i) {
    char16_t a = foldLower(chars[i]);
    char16_t b = foldLower(theirs[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return sign(static_cast<int64_t>(unitCount) - theirCount);
}

bool StrBuffer::equals(const IComparable* other, s::base::IComparator* comparator) const {
  if (!comparator) {
    const auto* text = dynamic_cast<const IStr*>(other);
    if (text && text->length() != unitCount) return false;
  }
  return compareTo(other, comparator) == 0;
}

bool StrBuffer::equalsIgnoreCase(const IComparable* other, s::base::IComparator* comparator) const {
  if (!comparator) {
    const auto* text = dynamic_cast<const IStr*>(other);
    if (text && text->length() != unitCount) return false;
  }
  return compareToIgnoreCase(other, comparator) == 0;
}

namespace {

// Each step shifts left by one with bit 0 taken from the old bit 30, then mixes in the unit.
template <bool ignoreCase>
uint32_t hashUnits(const char16_t* units, uint32_t count) {
  uint32_t h = 0;
  for (uint32_t i = 0; i < count; ++i) {
    char16_t u = ignoreCase ? StrBuffer::foldLower(units[i]) : units[i];
    h = (h << 1) | ((h >> 30) & 1u);
    h ^= u;
  }
  return h;
}

}  // namespace

uint32_t StrBuffer::hashCode() const { return hashUnits<false>(chars, unitCount); }

uint32_t StrBuffer::hashCodeIgnoreCase() const { return hashUnits<true>(chars, unitCount); }

// ---- Iterators ----

Iterator* StrBuffer::iteratorAtStart() { return Iterator::create(this, -1, 0); }

Iterator* StrBuffer::iteratorAtEnd() { return Iterator::create(this, static_cast<int32_t>(unitCount), unitCount); }

Iterator* StrBuffer::iteratorAt(uint32_t i) { return Iterator::create(this, static_cast<int32_t>(i) - 1, i); }

Iterator* StrBuffer::iteratorAtFromEnd(uint32_t i) {
  return Iterator::create(this, static_cast<int32_t>(unitCount - i), unitCount - i);
}

}  // namespace s::str::strbuffer
