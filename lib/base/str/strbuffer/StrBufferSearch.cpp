// Searching the string buffer: unit and text searches in both directions, region matches, prefix
// and suffix tests and positional comparisons.
#include <win/crt.h>

#include "base/str/strbuffer/StrBuffer.h"

namespace s::str::strbuffer {

namespace {

inline uint32_t textLength(const char16_t* text) {
  return static_cast<uint32_t>(std::char_traits<char16_t>::length(text));
}

inline uint32_t unitsLength(const char16_t* units, int32_t count) {
  return count < 0 ? textLength(units) : static_cast<uint32_t>(count);
}

template <bool ignoreCase>
inline char16_t fold(char16_t u) {
  return ignoreCase ? StrBuffer::foldLower(u) : u;
}

template <bool ignoreCase>
bool inSet(char16_t u, const char16_t* units, uint32_t count) {
  char16_t key = fold<ignoreCase>(u);
  for (uint32_t i = 0; i < count; ++i)
    if (fold<ignoreCase>(units[i]) == key) return true;
  return false;
}

// Where a backward search starts: just before `before`, or at the last unit.
inline uint32_t backwardStart(uint32_t before, uint32_t length) { return before >= length ? length : before; }

template <bool ignoreCase>
bool matchUnits(const char16_t* a, const char16_t* b, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i)
    if (fold<ignoreCase>(a[i]) != fold<ignoreCase>(b[i])) return false;
  return true;
}

int32_t sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

}  // namespace

// ---- Unit searches ----

bool StrBuffer::indexOf(char16_t unit, uint32_t* found, uint32_t from) const {
  for (uint32_t i = from; i < unitCount; ++i) {
    if (chars[i] == unit) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::indexOfIgnoreCase(char16_t unit, uint32_t* found, uint32_t from) const {
  char16_t key = foldLower(unit);
  for (uint32_t i = from; i < unitCount; ++i) {
    if (foldLower(chars[i]) == key) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::indexOfAny(const char16_t* units, int32_t count, uint32_t* found, uint32_t from) const {
  if (!units) return false;
  uint32_t n = unitsLength(units, count);
  for (uint32_t i = from; i < unitCount; ++i) {
    if (inSet<false>(chars[i], units, n)) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::indexOfAnyIgnoreCase(const char16_t* units, int32_t count, uint32_t* found,
                                     uint32_t from) const {
  if (!units) return false;
  uint32_t n = unitsLength(units, count);
  for (uint32_t i = from; i < unitCount; ++i) {
    if (inSet<true>(chars[i], units, n)) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::lastIndexOf(char16_t unit, uint32_t* found, uint32_t before) const {
  for (uint32_t i = backwardStart(before, unitCount); i-- > 0;) {
    if (chars[i] == unit) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::lastIndexOfIgnoreCase(char16_t unit, uint32_t* found, uint32_t before) const {
  char16_t key = foldLower(unit);
  for (uint32_t i = backwardStart(before, unitCount); i-- > 0;) {
    if (foldLower(chars[i]) == key) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::lastIndexOfAny(const char16_t* units, int32_t count, uint32_t* found, uint32_t before) const {
  if (!units) return false;
  uint32_t n = unitsLength(units, count);
  for (uint32_t i = backwardStart(before, unitCount); i-- > 0;) {
    if (inSet<false>(chars[i], units, n)) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::lastIndexOfAnyIgnoreCase(const char16_t* units, int32_t count, uint32_t* found,
                                         uint32_t before) const {
  if (!units) return false;
  uint32_t n = unitsLength(units, count);
  for (uint32_t i = backwardStart(before, unitCount); i-- > 0;) {
    if (inSet<true>(chars[i], units, n)) {
      *found = i;
      return true;
    }
  }
  return false;
}

// ---- Text searches ----

bool StrBuffer::indexOf(const char16_t* text, uint32_t* found, uint32_t from) const {
  if (!text || from > unitCount) return false;
  uint32_t n = textLength(text);
  if (n == 0) {
    *found = from;
    return true;
  }
  if (n > unitCount) return false;
  uint32_t last = unitCount - n;
  for (uint32_t i = from; i <= last; ++i) {
    if (chars[i] == text[0] && std::memcmp(chars + i, text, static_cast<size_t>(n) * sizeof(char16_t)) == 0) {
      *found = i;
      return true;
    }
  }
  return false;
}

bool StrBuffer::indexOfIgnoreCase(const char16_t* text, uint32_t* found, uint32_t from) const {
  if (!text || text[0] == 0) return false;
  uint32_t n = textLength(text);
  uint32_t candidate;
  while (indexOfIgnoreCase(text[0], &candidate, from)) {
    if (regionMatchesIgnoreCase(candidate, text, 0, static_cast<int32_t>(n))) {
      *found = candidate;
      return true;
    }
    from = candidate + 1;
  }
  return false;
}

bool StrBuffer::lastIndexOf(const char16_t* text, uint32_t* found, uint32_t before) const {
  if (!text || text[0] == 0) return false;
  uint32_t n = textLength(text);
  uint32_t candidate;
  while (lastIndexOf(text[0], &candidate, before)) {
    if (regionMatches(candidate, text, 0, static_cast<int32_t>(n))) {
      *found = candidate;
      return true;
    }
    if (candidate == 0) break;
    before = candidate;
  }
  return false;
}

bool StrBuffer::lastIndexOfIgnoreCase(const char16_t* text, uint32_t* found, uint32_t before) const {
  if (!text || text[0] == 0) return false;
  uint32_t n = textLength(text);
  uint32_t candidate;
  while (lastIndexOfIgnoreCase(text[0], &candidate, before)) {
    if (regionMatchesIgnoreCase(candidate, text, 0, static_cast<int32_t>(n))) {
      *found = candidate;
      return true;
    }
    if (candidate == 0) break;
    before = candidate;
  }
  return false;
}

// ---- Region matches ----

namespace {

// The region's unit count, or false when it cannot lie inside a text of `length` units.
bool regionCount(uint32_t length, uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count,
                 uint32_t* n) {
  if (!text) return false;
  if (count < 0) {
    uint32_t total = textLength(text);
    if (textIndex > total) return false;
    *n = total - textIndex;
    // The rest of the text must end exactly where this text ends.
    return static_cast<uint64_t>(index) + *n == length;
  }
  *n = static_cast<uint32_t>(count);
  return static_cast<uint64_t>(index) + *n <= length;
}

}  // namespace

bool StrBuffer::regionMatches(uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count) const {
  uint32_t n;
  if (!regionCount(unitCount, index, text, textIndex, count, &n)) return false;
  return n == 0 || std::memcmp(chars + index, text + textIndex, static_cast<size_t>(n) * sizeof(char16_t)) == 0;
}

bool StrBuffer::regionMatchesIgnoreCase(uint32_t index, const char16_t* text, uint32_t textIndex,
                                        int32_t count) const {
  uint32_t n;
  if (!regionCount(unitCount, index, text, textIndex, count, &n)) return false;
  return matchUnits<true>(chars + index, text + textIndex, n);
}

bool StrBuffer::startsWith(const char16_t* text, int32_t count) const {
  if (!text) return false;
  uint32_t n = unitsLength(text, count);
  return n <= unitCount && regionMatches(0, text, 0, static_cast<int32_t>(n));
}

bool StrBuffer::startsWithIgnoreCase(const char16_t* text, int32_t count) const {
  if (!text) return false;
  uint32_t n = unitsLength(text, count);
  return n <= unitCount && regionMatchesIgnoreCase(0, text, 0, static_cast<int32_t>(n));
}

bool StrBuffer::endsWith(const char16_t* text, int32_t count) const {
  if (!text) return false;
  uint32_t n = unitsLength(text, count);
  return n <= unitCount && regionMatches(unitCount - n, text, 0, static_cast<int32_t>(n));
}

bool StrBuffer::endsWithIgnoreCase(const char16_t* text, int32_t count) const {
  if (!text) return false;
  uint32_t n = unitsLength(text, count);
  return n <= unitCount && regionMatchesIgnoreCase(unitCount - n, text, 0, static_cast<int32_t>(n));
}

// ---- Positional comparisons ----

int32_t StrBuffer::compareAt(uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count) {
  if (index > unitCount || !text) return -1;
  const char16_t* mine = getText() + index;
  const char16_t* theirs = text + textIndex;
  return sign(count < 0 ? wcscmp16(mine, theirs) : wcsncmp16(mine, theirs, static_cast<size_t>(count)));
}

int32_t StrBuffer::compareAtIgnoreCase(uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count) {
  if (index > unitCount || !text) return -1;
  const char16_t* mine = getText() + index;
  const char16_t* theirs = text + textIndex;
  return sign(count < 0 ? _wcsicmp(mine, theirs) : _wcsnicmp(mine, theirs, static_cast<size_t>(count)));
}

}  // namespace s::str::strbuffer
