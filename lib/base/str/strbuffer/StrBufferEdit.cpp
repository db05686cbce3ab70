// Editing the string buffer in place: case changes, reversal, trimming, insertion at the front,
// narrow appends, replacement, and the pieces cut out of it.
#include <cstdlib>

#include "base/col/_array/Growth.h"
#include "base/str/strbuffer/StrBuffer.h"

namespace s::str::strbuffer {

namespace {

inline uint32_t unitsLength(const char16_t* units, int32_t count) {
  return count < 0 ? static_cast<uint32_t>(std::char_traits<char16_t>::length(units)) : static_cast<uint32_t>(count);
}

inline bool inSet(char16_t u, const char16_t* units, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i)
    if (units[i] == u) return true;
  return false;
}

}  // namespace

// ---- Case and order ----

void StrBuffer::reverse() {
  if (unitCount < 2) return;
  for (uint32_t i = 0, j = unitCount - 1; i < j; ++i, --j) {
    char16_t t = chars[i];
    chars[i] = chars[j];
    chars[j] = t;
  }
}

void StrBuffer::toLowerCase() {
  for (uint32_t i = 0; i < unitCount; ++i) chars[i] = foldLower(chars[i]);
}

void StrBuffer::toUpperCase() {
  for (uint32_t i = 0; i < unitCount; ++i) chars[i] = foldUpper(chars[i]);
}

void StrBuffer::capitalize() {
  toLowerCase();
  if (unitCount > 0) chars[0] = foldUpper(chars[0]);
}

// ---- Trimming ----

void StrBuffer::trimRightKeeping(uint32_t minimum) {
  while (unitCount > minimum && isWhiteSpace(chars[unitCount - 1])) --unitCount;
}

void StrBuffer::trimRightCharsKeeping(const char16_t* units, uint32_t minimum, int32_t count) {
  if (!units) return;
  uint32_t n = unitsLength(units, count);
  while (unitCount > minimum && inSet(chars[unitCount - 1], units, n)) --unitCount;
}

void StrBuffer::trimLeft() {
  uint32_t skip = 0;
  while (skip < unitCount && isWhiteSpace(chars[skip])) ++skip;
  keepRange(skip, unitCount);
}

void StrBuffer::trimLeftChars(const char16_t* units, int32_t count) {
  if (!units) return;
  uint32_t n = unitsLength(units, count);
  uint32_t skip = 0;
  while (skip < unitCount && inSet(chars[skip], units, n)) ++skip;
  keepRange(skip, unitCount);
}

// ---- Insertion and narrow appends ----

void StrBuffer::insertFront(const char16_t* units, int32_t count) {
  if (!units) return;
  uint32_t n = unitsLength(units, count);
  if (n == 0) return;
  uint64_t needed = static_cast<uint64_t>(unitCount) + n;
  if (needed >= 0xFFFFFFFFull) return;
  // Build in a new block when the units come from this buffer or it must grow anyway, so the
  // source is never overwritten before it is copied.
  if (needed > unitCapacity || ownsUnits(units)) {
    uint32_t newCapacity = s::col::_array::capacityFor(unitCapacity, static_cast<uint32_t>(needed));
    auto* block = static_cast<char16_t*>(std::malloc((static_cast<size_t>(newCapacity) + 1) * sizeof(char16_t)));
    if (!block) return;
    std::memcpy(block, units, static_cast<size_t>(n) * sizeof(char16_t));
    if (unitCount) std::memcpy(block + n, chars, static_cast<size_t>(unitCount) * sizeof(char16_t));
    std::free(chars);
    chars = block;
    unitCapacity = newCapacity;
  } else {
    std::memmove(chars + n, chars, static_cast<size_t>(unitCount) * sizeof(char16_t));
    std::memcpy(chars, units, static_cast<size_t>(n) * sizeof(char16_t));
  }
  unitCount = static_cast<uint32_t>(needed);
}

void StrBuffer::appendNarrow(const char* bytes, int32_t count) {
  if (!bytes) return;
  uint32_t n = count < 0 ? static_cast<uint32_t>(std::strlen(bytes)) : static_cast<uint32_t>(count);
  uint64_t needed = static_cast<uint64_t>(unitCount) + n;
  if (n == 0 || needed >= 0xFFFFFFFFull || !reserve(static_cast<uint32_t>(needed))) return;
  for (uint32_t i = 0; i < n; ++i)
    chars[unitCount + i] = static_cast<char16_t>(static_cast<int16_t>(static_cast<int8_t>(bytes[i])));
  unitCount += n;
}

// ---- Replacing ----

template <bool ignoreCase>
uint32_t StrBuffer::replaceMatching(const char16_t* from, const char16_t* to) {
  if (!from || from[0] == 0) return 0;
  if (!to) to = u"";
  // Patterns taken from this buffer's own text would change under the edit: work on copies.
  if (ownsUnits(from) || ownsUnits(to)) {
    StrBuffer* fromCopy = acquireText(from);
    StrBuffer* toCopy = acquireText(to);
    uint32_t replaced = replaceMatching<ignoreCase>(fromCopy->getText(), toCopy->getText());
    fromCopy->release();
    toCopy->release();
    return replaced;
  }
  const uint32_t fromCount = static_cast<uint32_t>(std::char_traits<char16_t>::length(from));
  const uint32_t toCount = static_cast<uint32_t>(std::char_traits<char16_t>::length(to));
  auto matchesAt = [&](uint32_t i) {
    return ignoreCase ? regionMatchesIgnoreCase(i, from, 0, static_cast<int32_t>(fromCount))
                      : regionMatches(i, from, 0, static_cast<int32_t>(fromCount));
  };
  uint32_t replaced = 0;
  if (fromCount > unitCount) return 0;
  if (toCount <= fromCount) {
    // Overwrite in place (equal lengths) or compact in one pass (shorter replacement).
    uint32_t read = 0;
    uint32_t write = 0;
    while (read < unitCount) {
      if (matchesAt(read)) {
        std::memmove(chars + write, to, static_cast<size_t>(toCount) * sizeof(char16_t));
        write += toCount;
        read += fromCount;
        ++replaced;
      } else {
        chars[write++] = chars[read++];
      }
    }
    unitCount = write;
    return replaced;
  }
  // Longer replacement: build the result in a second buffer and take over its storage.
  StrBuffer* result = nullptr;
  uint32_t copied = 0;
  for (uint32_t i = 0; i + fromCount <= unitCount;) {
    if (!matchesAt(i)) {
      ++i;
      continue;
    }
    if (!result) result = acquire();
    result->appendChars(chars + copied, static_cast<int32_t>(i - copied));
    result->appendChars(to, static_cast<int32_t>(toCount));
    i += fromCount;
    copied = i;
    ++replaced;
  }
  if (!result) return 0;
  result->appendChars(chars + copied, static_cast<int32_t>(unitCount - copied));
  char16_t* ownChars = chars;
  uint32_t ownCapacity = unitCapacity;
  chars = result->chars;
  unitCount = result->unitCount;
  unitCapacity = result->unitCapacity;
  result->chars = ownChars;
  result->unitCapacity = ownCapacity;
  result->unitCount = 0;
  result->release();
  return replaced;
}

uint32_t StrBuffer::replaceAll(const char16_t* from, const char16_t* to) { return replaceMatching<false>(from, to); }

uint32_t StrBuffer::replaceAllIgnoreCase(const char16_t* from, const char16_t* to) {
  return replaceMatching<true>(from, to);
}

// ---- Pieces ----

StrBuffer* StrBuffer::clone() const {
  StrBuffer* copy = acquire();
  if (copy) copy->setChars(chars, static_cast<int32_t>(unitCount));
  return copy;
}

StrBuffer* StrBuffer::substring(uint32_t start, uint32_t end) const {
  StrBuffer* piece = acquire();
  if (!piece) return nullptr;
  if (end > unitCount) end = unitCount;
  if (start < end) piece->setChars(chars + start, static_cast<int32_t>(end - start));
  return piece;
}

void StrBuffer::keepRange(uint32_t start, uint32_t end) {
  if (end > unitCount) end = unitCount;
  if (start >= end) {
    unitCount = 0;
    return;
  }
  if (start > 0) std::memmove(chars, chars + start, static_cast<size_t>(end - start) * sizeof(char16_t));
  unitCount = end - start;
}

StrBuffer* StrBuffer::beforeFirst(char16_t unit) const {
  uint32_t at;
  return indexOf(unit, &at) ? substring(0, at) : acquire();
}

StrBuffer* StrBuffer::beforeLast(char16_t unit) const {
  uint32_t at;
  return lastIndexOf(unit, &at) ? substring(0, at) : acquire();
}

StrBuffer* StrBuffer::beforeFirstAny(const char16_t* units, int32_t count) const {
  uint32_t at;
  return indexOfAny(units, count, &at) ? substring(0, at) : acquire();
}

StrBuffer* StrBuffer::beforeLastAny(const char16_t* units, int32_t count) const {
  uint32_t at;
  return lastIndexOfAny(units, count, &at) ? substring(0, at) : acquire();
}

StrBuffer* StrBuffer::beforeFirst(const char16_t* text) const {
  uint32_t at;
  return indexOf(text, &at) ? substring(0, at) : acquire();
}

StrBuffer* StrBuffer::beforeLast(const char16_t* text) const {
  uint32_t at;
  return lastIndexOf(text, &at) ? substring(0, at) : acquire();
}

}  // namespace s::str::strbuffer
